<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BackupStallWatch</name>
    <message>
        <source>Can&apos;t reach %1 — retrying…</source>
        <translation>%1 ist nicht erreichbar — neuer Versuch…</translation>
    </message>
    <message>
        <source>Can&apos;t reach %1 — the backup stopped after 30 minutes without progress.</source>
        <translation>%1 ist nicht erreichbar — die Sicherung wurde nach 30 Minuten ohne Fortschritt beendet.</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Usage: keldoranctl %1</source>
        <translation>Aufruf: keldoranctl %1</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Zeigt diese Hilfe.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>your storage</source>
        <extracomment>Stands for the storage&apos;s name in “Couldn&apos;t reach %1.” when none is configured.</extracomment>
        <translation>Ihr Speicher</translation>
    </message>
    <message>
        <source>files</source>
        <extracomment>What keldoranctl backup&apos;s progress counts: “1,204 of 5,310 files”.</extracomment>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Backs the home folder up now, with a progress bar. Ctrl-C cancels.</source>
        <translation>Sichert den persönlichen Ordner jetzt, mit Fortschrittsbalken. Strg-C bricht ab.</translation>
    </message>
    <message>
        <source>backup takes no arguments.</source>
        <translation>backup erwartet keine Argumente.</translation>
    </message>
    <message>
        <source>Prints what Keldoran&apos;s status window would show.</source>
        <translation>Gibt aus, was das Statusfenster von Keldoran anzeigen würde.</translation>
    </message>
    <message>
        <source>Lists the backups in the repository, newest first.</source>
        <translation>Listet die Sicherungen im Repository auf, neueste zuerst.</translation>
    </message>
    <message>
        <source>ls SNAPSHOT [PATH]</source>
        <extracomment>Usage line: keep “ls”; SNAPSHOT and PATH may be translated.</extracomment>
        <translation>ls SICHERUNG [PFAD]</translation>
    </message>
    <message>
        <source>Lists one folder of a backup (the home folder unless PATH is given), folders first.</source>
        <translation>Listet einen Ordner einer Sicherung auf (den persönlichen Ordner, wenn kein PFAD angegeben ist), Ordner zuerst.</translation>
    </message>
    <message>
        <source>restore SNAPSHOT PATH... [--to DIR] [--replace]</source>
        <extracomment>Usage line: keep “restore” and the options; SNAPSHOT, PATH and DIR may be translated.</extracomment>
        <translation>restore SICHERUNG PFAD... [--to ORDNER] [--replace]</translation>
    </message>
    <message>
        <source>Restores files and folders of one folder of a backup to where they were backed up from, or into DIR. Existing files are kept and restored ones named &quot;name (restored)&quot;, unless --replace.</source>
        <translation>Stellt Dateien und Ordner aus einem Ordner einer Sicherung dort wieder her, wo sie gesichert wurden, oder in ORDNER. Vorhandene Dateien bleiben erhalten und wiederhergestellte heißen „Name (restored)“, außer mit --replace.</translation>
    </message>
    <message>
        <source>Restore into DIR instead.</source>
        <translation>Stattdessen in ORDNER wiederherstellen.</translation>
    </message>
    <message>
        <source>DIR</source>
        <extracomment>The value of --to in keldoranctl restore&apos;s help: a folder.</extracomment>
        <translation>ORDNER</translation>
    </message>
    <message>
        <source>Overwrite existing files.</source>
        <translation>Vorhandene Dateien überschreiben.</translation>
    </message>
    <message>
        <source>Pauses scheduled backups for an hour, until midnight, or until resumed.</source>
        <translation>Pausiert geplante Sicherungen für eine Stunde, bis Mitternacht oder bis zur Fortsetzung.</translation>
    </message>
    <message>
        <source>Resumes scheduled backups.</source>
        <translation>Setzt geplante Sicherungen fort.</translation>
    </message>
    <message>
        <source>ionos, ovhcloud or scaleway.</source>
        <extracomment>keldoranctl setup --help: ionos, ovhcloud and scaleway are typed as they are.</extracomment>
        <translation>ionos, ovhcloud oder scaleway.</translation>
    </message>
    <message>
        <source>ID</source>
        <extracomment>The value of --provider (a provider&apos;s id) and of --snapshot (a backup&apos;s id) in keldoranctl&apos;s help.</extracomment>
        <translation>ID</translation>
    </message>
    <message>
        <source>The address of other S3-compatible storage: https://host[:port].</source>
        <translation>Die Adresse eines anderen S3-kompatiblen Speichers: https://host[:port].</translation>
    </message>
    <message>
        <source>URL</source>
        <extracomment>The value of --endpoint in keldoranctl setup&apos;s help: an address.</extracomment>
        <translation>URL</translation>
    </message>
    <message>
        <source>Its region (default us-east-1).</source>
        <translation>Seine Region (Standard: us-east-1).</translation>
    </message>
    <message>
        <source>R</source>
        <extracomment>The value of --region in keldoranctl setup&apos;s help: a region.</extracomment>
        <translation>R</translation>
    </message>
    <message>
        <source>It knows buckets only in the address&apos;s path.</source>
        <translation>Der Speicher kennt Buckets nur im Pfad der Adresse.</translation>
    </message>
    <message>
        <source>The bucket&apos;s name.</source>
        <translation>Der Name des Buckets.</translation>
    </message>
    <message>
        <source>NAME</source>
        <extracomment>The value of --bucket in keldoranctl setup&apos;s help: a bucket&apos;s name.</extracomment>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Read the access key from F.</source>
        <translation>Zugriffsschlüssel aus DATEI lesen.</translation>
    </message>
    <message>
        <source>F</source>
        <extracomment>The value of the --…-file options in keldoranctl setup&apos;s help: a file.</extracomment>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Read the secret key from F.</source>
        <translation>Geheimen Schlüssel aus DATEI lesen.</translation>
    </message>
    <message>
        <source>Read the backup password from F.</source>
        <translation>Sicherungspasswort aus DATEI lesen.</translation>
    </message>
    <message>
        <source>setup needs --bucket NAME.</source>
        <translation>setup braucht --bucket NAME.</translation>
    </message>
    <message>
        <source>Access key: </source>
        <translation>Zugriffsschlüssel: </translation>
    </message>
    <message>
        <source>Secret key: </source>
        <translation>Geheimer Schlüssel: </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Passwort: </translation>
    </message>
    <message>
        <source>Confirm password: </source>
        <translation>Passwort bestätigen: </translation>
    </message>
    <message>
        <source>access key</source>
        <extracomment>Stands for %1 in “Couldn&apos;t read the %1.”</extracomment>
        <translation>den Zugriffsschlüssel</translation>
    </message>
    <message>
        <source>secret key</source>
        <translation>den geheimen Schlüssel</translation>
    </message>
    <message>
        <source>password</source>
        <translation>das Passwort</translation>
    </message>
    <message>
        <source>setup (--provider ID | --endpoint URL [--region R] [--path-style]) --bucket NAME [--access-key-file F] [--secret-key-file F] [--password-file F]</source>
        <extracomment>Usage line: keep “setup” and the options; ID, URL, R, NAME and F may be translated as in the options&apos; help.</extracomment>
        <translation>setup (--provider ID | --endpoint URL [--region R] [--path-style]) --bucket NAME [--access-key-file DATEI] [--secret-key-file DATEI] [--password-file DATEI]</translation>
    </message>
    <message>
        <source>Connects your bucket, creates the encrypted backup (or recognises an existing one) and starts the first backup. Keys and password are asked for without echo unless given in files.</source>
        <translation>Verbindet Ihren Bucket, legt die verschlüsselte Sicherung an (oder erkennt eine vorhandene) und startet die erste Sicherung. Schlüssel und Passwort werden verdeckt abgefragt, sofern sie nicht in Dateien angegeben sind.</translation>
    </message>
    <message>
        <source>Use at least 8 characters.</source>
        <translation>Verwenden Sie mindestens 8 Zeichen.</translation>
    </message>
    <message>
        <source>You&apos;re protected</source>
        <translation>Sie sind geschützt</translation>
    </message>
    <message>
        <source>Your first backup is starting now. Keldoran lives in the menu bar — look for the ring icon.</source>
        <translation>Ihre erste Sicherung startet jetzt. Keldoran finden Sie in der Systemleiste — achten Sie auf das Ring-Symbol.</translation>
    </message>
    <message>
        <source>find PATTERN [--snapshot ID]</source>
        <extracomment>Usage line: keep “find” and “--snapshot”; PATTERN and ID may be translated.</extracomment>
        <translation>find MUSTER [--snapshot ID]</translation>
    </message>
    <message>
        <source>Lists the files and folders of your backups whose name contains PATTERN (ignoring case and accents): path, size, modified, and the newest backup holding it. Backups not indexed yet are indexed first.</source>
        <translation>Listet die Dateien und Ordner Ihrer Sicherungen auf, deren Name MUSTER enthält (ohne Beachtung von Groß-/Kleinschreibung und Akzenten): Pfad, Größe, Änderungsdatum und die neueste Sicherung, die sie enthält. Noch nicht indizierte Sicherungen werden zuerst indiziert.</translation>
    </message>
    <message>
        <source>Searches one backup.</source>
        <translation>Durchsucht eine Sicherung.</translation>
    </message>
    <message>
        <source>versions PATH</source>
        <extracomment>Usage line: keep “versions”; PATH may be translated.</extracomment>
        <translation>versions PFAD</translation>
    </message>
    <message>
        <source>Lists every different version of a file in your backups, newest first: the backup holding it, size and modified.</source>
        <translation>Listet jede unterschiedliche Version einer Datei in Ihren Sicherungen auf, neueste zuerst: die Sicherung, die sie enthält, Größe und Änderungsdatum.</translation>
    </message>
    <message>
        <source>Unknown command “%1”.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
</context>
<context>
    <name>CtlMessages</name>
    <message>
        <source>Usage: keldoranctl COMMAND [OPTIONS]

Commands:
  setup --provider ID --bucket NAME   connect a bucket and set up the backup
  status                              what Keldoran would show
  backup                              back up now
  snapshots                           list the backups in the repository
  ls SNAPSHOT [PATH]                  list one folder of a backup
  find PATTERN [--snapshot ID]        find files by name in every backup
  versions PATH                       list the versions of a file in your backups
  restore SNAPSHOT PATH... [--to DIR] [--replace]
                                      restore files and folders of one folder
  pause 1h|tomorrow|indefinitely      pause scheduled backups
  resume                              resume scheduled backups

Run keldoranctl COMMAND --help for a command&apos;s options, keldoranctl --version for this version.</source>
        <extracomment>keldoranctl --help. Keep the command names, the options (--provider…) and the literal arguments (1h, tomorrow, indefinitely); the capitalised placeholders and the descriptions may be translated.</extracomment>
        <translation>Aufruf: keldoranctl BEFEHL [OPTIONEN]

Befehle:
  setup --provider ID --bucket NAME   Bucket verbinden und Sicherung einrichten
  status                              anzeigen, was Keldoran zeigen würde
  backup                              jetzt sichern
  snapshots                           Sicherungen im Repository auflisten
  ls SICHERUNG [PFAD]                 einen Ordner einer Sicherung auflisten
  find MUSTER [--snapshot ID]         Dateien in allen Sicherungen nach Namen suchen
  versions PFAD                       Versionen einer Datei in Ihren Sicherungen auflisten
  restore SICHERUNG PFAD... [--to ORDNER] [--replace]
                                      Dateien und Ordner eines Ordners wiederherstellen
  pause 1h|tomorrow|indefinitely      geplante Sicherungen pausieren
  resume                              geplante Sicherungen fortsetzen

Optionen eines Befehls: keldoranctl BEFEHL --help; diese Version: keldoranctl --version.</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t set up yet. Run “keldoranctl setup” first.</source>
        <translation>Keldoran ist noch nicht eingerichtet. Führen Sie zuerst „keldoranctl setup“ aus.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your saved credentials. Unlock your keyring and try again.</source>
        <translation>Die gespeicherten Zugangsdaten konnten nicht gelesen werden. Entsperren Sie Ihren Schlüsselbund und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Keldoran is running. Set it up from its window, or quit it and try again.</source>
        <translation>Keldoran läuft bereits. Richten Sie es in seinem Fenster ein oder beenden Sie es und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Keldoran is running. Restore from its window, or quit it and try again.</source>
        <translation>Keldoran läuft bereits. Stellen Sie in seinem Fenster wieder her oder beenden Sie es und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Keldoran is running but did not answer. Try again in a moment.</source>
        <translation>Keldoran läuft, hat aber nicht geantwortet. Versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>Keldoran can&apos;t read your home folder, so it can&apos;t back it up.</source>
        <translation>Keldoran kann Ihren persönlichen Ordner nicht lesen und ihn daher nicht sichern.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach %1. Check your internet connection and try again.</source>
        <translation>%1 ist nicht erreichbar. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Backup was cancelled.</source>
        <translation>Die Sicherung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the %1.</source>
        <extracomment>%1 is “access key”, “secret key” or “password”.</extracomment>
        <translation>Keldoran konnte %1 nicht lesen.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft…</translation>
    </message>
    <message>
        <source>Connected — bucket %1 found in %2</source>
        <extracomment>%1 is the bucket&apos;s name, %2 the city of the storage&apos;s region.</extracomment>
        <translation>Verbunden — Bucket %1 in %2 gefunden</translation>
    </message>
    <message>
        <source>Unknown provider “%1”: use ionos, ovhcloud or scaleway, or --endpoint for other S3-compatible storage.</source>
        <extracomment>ionos, ovhcloud, scaleway and --endpoint are typed as they are: keep them.</extracomment>
        <translation>Unbekannter Anbieter „%1“: Verwenden Sie ionos, ovhcloud oder scaleway oder --endpoint für anderen S3-kompatiblen Speicher.</translation>
    </message>
    <message>
        <source>Use either --provider or --endpoint, not both.</source>
        <translation>Verwenden Sie entweder --provider oder --endpoint, nicht beides.</translation>
    </message>
    <message>
        <source>--region and --path-style go with --endpoint.</source>
        <translation>--region und --path-style gehören zu --endpoint.</translation>
    </message>
    <message>
        <source>“%1” is not in that folder of the backup.</source>
        <translation>„%1“ ist nicht in diesem Ordner der Sicherung.</translation>
    </message>
    <message>
        <source>“%1” looks like an option, but a backup or a path belongs there.</source>
        <translation>„%1“ sieht aus wie eine Option, aber hier gehört eine Sicherung oder ein Pfad hin.</translation>
    </message>
    <message>
        <source>The paths must all be in the same folder.</source>
        <translation>Die Pfade müssen alle im selben Ordner liegen.</translation>
    </message>
    <message>
        <source>There is no backup “%1”.</source>
        <translation>Es gibt keine Sicherung „%1“.</translation>
    </message>
    <message>
        <source>Restore complete: %1</source>
        <translation>Wiederherstellung abgeschlossen: %1</translation>
    </message>
    <message>
        <source>Paused until you resume.</source>
        <translation>Pausiert, bis Sie fortsetzen.</translation>
    </message>
    <message>
        <source>Paused until %1.</source>
        <translation>Pausiert bis %1.</translation>
    </message>
    <message numerus="yes">
        <source>Indexing %Ln backups…</source>
        <translation>
            <numerusform>%Ln Sicherung wird indiziert…</numerusform>
            <numerusform>%Ln Sicherungen werden indiziert…</numerusform>
        </translation>
    </message>
    <message>
        <source>Couldn&apos;t index backup %1. Try again in a moment.</source>
        <translation>Sicherung %1 konnte nicht indiziert werden. Versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open the index of your backups: %1</source>
        <translation>Der Index Ihrer Sicherungen konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Nothing in your backups has “%1” in its name.</source>
        <translation>Nichts in Ihren Sicherungen hat „%1“ im Namen.</translation>
    </message>
    <message>
        <source>“%1” is in none of your backups.</source>
        <translation>„%1“ ist in keiner Ihrer Sicherungen.</translation>
    </message>
    <message>
        <source>Protection resumed.</source>
        <translation>Schutz fortgesetzt.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach %1 just now.</source>
        <translation>%1 ist gerade nicht erreichbar.</translation>
    </message>
    <message>
        <source>Backups wait until the computer is plugged in.</source>
        <translation>Sicherungen warten, bis der Computer am Stromnetz ist.</translation>
    </message>
    <message>
        <source>Backups wait while the connection is metered. Allow them in Preferences.</source>
        <translation>Sicherungen warten, solange die Verbindung getaktet ist. Erlauben Sie sie in den Einstellungen.</translation>
    </message>
    <message>
        <source>Backups wait until the network is back.</source>
        <translation>Sicherungen warten, bis das Netzwerk wieder verfügbar ist.</translation>
    </message>
    <message>
        <source>Another Keldoran process is backing up.</source>
        <translation>Ein anderer Keldoran-Prozess sichert gerade.</translation>
    </message>
</context>
<context>
    <name>DesktopApplication</name>
    <message>
        <source>Keldoran needs a desktop session to show its tray icon and windows. Without one, use keldoranctl; scheduled backups run from the background agent.</source>
        <translation>Keldoran braucht eine Desktop-Sitzung, um sein Symbol im Infobereich und seine Fenster anzuzeigen. Verwenden Sie ohne sie keldoranctl; geplante Sicherungen laufen über den Hintergrunddienst.</translation>
    </message>
</context>
<context>
    <name>ExcludeRow</name>
    <message>
        <source>Excluded in Preferences</source>
        <translation>In den Einstellungen ausgeschlossen</translation>
    </message>
    <message>
        <source>Hidden folder, skipped</source>
        <translation>Versteckter Ordner, übersprungen</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>%1 skipped</source>
        <translation>Übersprungen: %1</translation>
    </message>
    <message>
        <source>Backed up</source>
        <translation>Gesichert</translation>
    </message>
    <message>
        <source>Partially skipped</source>
        <translation>Teilweise übersprungen</translation>
    </message>
</context>
<context>
    <name>Formatters</name>
    <message>
        <source>Zero KB</source>
        <translation>0 KB</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message numerus="yes">
        <source>%Ln years ago</source>
        <translation>
            <numerusform>vor %Ln Jahr</numerusform>
            <numerusform>vor %Ln Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln years</source>
        <translation>
            <numerusform>in %Ln Jahr</numerusform>
            <numerusform>in %Ln Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln months ago</source>
        <translation>
            <numerusform>vor %Ln Monat</numerusform>
            <numerusform>vor %Ln Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln months</source>
        <translation>
            <numerusform>in %Ln Monat</numerusform>
            <numerusform>in %Ln Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln weeks ago</source>
        <translation>
            <numerusform>vor %Ln Woche</numerusform>
            <numerusform>vor %Ln Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln weeks</source>
        <translation>
            <numerusform>in %Ln Woche</numerusform>
            <numerusform>in %Ln Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln days ago</source>
        <translation>
            <numerusform>vor %Ln Tag</numerusform>
            <numerusform>vor %Ln Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln days</source>
        <translation>
            <numerusform>in %Ln Tag</numerusform>
            <numerusform>in %Ln Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>vor %Ln Stunde</numerusform>
            <numerusform>vor %Ln Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln hours</source>
        <translation>
            <numerusform>in %Ln Stunde</numerusform>
            <numerusform>in %Ln Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>vor %Ln Minute</numerusform>
            <numerusform>vor %Ln Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln minutes</source>
        <translation>
            <numerusform>in %Ln Minute</numerusform>
            <numerusform>in %Ln Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>vor %Ln Sekunde</numerusform>
            <numerusform>vor %Ln Sekunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln seconds</source>
        <translation>
            <numerusform>in %Ln Sekunde</numerusform>
            <numerusform>in %Ln Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>in %1 Min.</translation>
    </message>
    <message>
        <source>in %1 h</source>
        <translation>in %1 Std.</translation>
    </message>
    <message>
        <source>less than a minute left</source>
        <translation>noch weniger als eine Minute</translation>
    </message>
    <message numerus="yes">
        <source>about %Ln minutes left</source>
        <translation>
            <numerusform>noch etwa %Ln Minute</numerusform>
            <numerusform>noch etwa %Ln Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln hours left</source>
        <translation>
            <numerusform>noch etwa %Ln Stunde</numerusform>
            <numerusform>noch etwa %Ln Stunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Today, %1</source>
        <translation>Heute, %1</translation>
    </message>
    <message>
        <source>Yesterday, %1</source>
        <translation>Gestern, %1</translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>gestern</translation>
    </message>
</context>
<context>
    <name>InstancePaths</name>
    <message>
        <source>Keldoran&apos;s private folder %1 is not safe to use: it must be a folder of yours that no one else can open. Remove it, or set XDG_RUNTIME_DIR, and try again.</source>
        <translation>Der private Ordner %1 von Keldoran ist nicht sicher: Er muss Ihnen gehören und darf für niemand anderen zugänglich sein. Entfernen Sie ihn oder setzen Sie XDG_RUNTIME_DIR und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>KeepBothMerge</name>
    <message>
        <source>Couldn&apos;t open the folder “%1”: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Couldn&apos;t make a folder to restore into: %1.</source>
        <translation>Es konnte kein Ordner für die Wiederherstellung angelegt werden: %1.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the restored files: %1.</source>
        <translation>Die wiederhergestellten Dateien konnten nicht gelesen werden: %1.</translation>
    </message>
</context>
<context>
    <name>KeychainError</name>
    <message>
        <source>The keyring answered with status %1: %2</source>
        <translation>Der Schlüsselbund antwortete mit Status %1: %2</translation>
    </message>
</context>
<context>
    <name>KeyringSecretStore</name>
    <message>
        <source>The keyring is locked.</source>
        <translation>Der Schlüsselbund ist gesperrt.</translation>
    </message>
    <message>
        <source>No Secret Service is running on this session.</source>
        <translation>In dieser Sitzung läuft kein Secret Service.</translation>
    </message>
    <message>
        <source>The keyring has no default collection.</source>
        <translation>Der Schlüsselbund hat keine Standardsammlung.</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>French cloud provider. Storage in France, Germany or Poland.</source>
        <translation>Französischer Cloud-Anbieter. Speicher in Frankreich, Deutschland oder Polen.</translation>
    </message>
    <message>
        <source>French cloud provider. Storage in Paris, Amsterdam or Warsaw.</source>
        <translation>Französischer Cloud-Anbieter. Speicher in Paris, Amsterdam oder Warschau.</translation>
    </message>
    <message>
        <source>German hosting company. Storage in Berlin, Frankfurt or Logroño.</source>
        <translation>Deutsches Hosting-Unternehmen. Speicher in Berlin, Frankfurt oder Logroño.</translation>
    </message>
    <message>
        <source>Any storage that speaks S3, at the address you give.</source>
        <translation>Jeder Speicher, der S3 spricht, unter der von Ihnen angegebenen Adresse.</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>%1 of %2 %3</source>
        <extracomment>Progress of keldoranctl: %1 done of %2 in all, %3 what is counted (“files”).</extracomment>
        <translation>%1 von %2 %3</translation>
    </message>
    <message numerus="yes">
        <source>about %Ln min left</source>
        <translation>
            <numerusform>noch etwa %Ln Min.</numerusform>
            <numerusform>noch etwa %Ln Min.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln s left</source>
        <translation>
            <numerusform>noch etwa %Ln s</numerusform>
            <numerusform>noch etwa %Ln s</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProtectionMessages</name>
    <message>
        <source>A backup started by the background agent is running.</source>
        <translation>Eine vom Hintergrunddienst gestartete Sicherung läuft.</translation>
    </message>
    <message>
        <source>A backup started by keldoranctl is running.</source>
        <translation>Eine von keldoranctl gestartete Sicherung läuft.</translation>
    </message>
    <message>
        <source>A backup started by Keldoran is running.</source>
        <translation>Eine von Keldoran gestartete Sicherung läuft.</translation>
    </message>
</context>
<context>
    <name>Registration</name>
    <message>
        <source>systemd did not enable the timer (status: %1)</source>
        <translation>systemd hat den Timer nicht aktiviert (Status: %1)</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>Couldn&apos;t read your saved credentials. Unlock your keyring and try again.</source>
        <translation>Die gespeicherten Zugangsdaten konnten nicht gelesen werden. Entsperren Sie Ihren Schlüsselbund und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t set up yet. Run “keldoranctl setup” first.</source>
        <translation>Keldoran ist noch nicht eingerichtet. Führen Sie zuerst „keldoranctl setup“ aus.</translation>
    </message>
    <message>
        <source>Unknown command.</source>
        <translation>Unbekannter Befehl.</translation>
    </message>
    <message>
        <source>Keldoran is running and already backing up.</source>
        <translation>Keldoran läuft und sichert bereits.</translation>
    </message>
    <message>
        <source>Keldoran is running; it has started a backup.</source>
        <translation>Keldoran läuft und hat eine Sicherung gestartet.</translation>
    </message>
    <message>
        <source>Unknown pause.</source>
        <translation>Unbekannte Pause.</translation>
    </message>
    <message>
        <source>Paused until %1.</source>
        <translation>Pausiert bis %1.</translation>
    </message>
    <message>
        <source>Paused until you resume.</source>
        <translation>Pausiert, bis Sie fortsetzen.</translation>
    </message>
    <message>
        <source>Protection resumed.</source>
        <translation>Schutz fortgesetzt.</translation>
    </message>
</context>
<context>
    <name>ResticError</name>
    <message>
        <source>restic stopped unexpectedly (signal %1).</source>
        <translation>restic wurde unerwartet beendet (Signal %1).</translation>
    </message>
    <message>
        <source>The backup repository could not be found.</source>
        <translation>Das Sicherungs-Repository wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Repository is locked by another process.</source>
        <translation>Das Repository ist von einem anderen Prozess gesperrt.</translation>
    </message>
    <message>
        <source>Repository password is incorrect.</source>
        <translation>Das Repository-Passwort ist falsch.</translation>
    </message>
    <message>
        <source>restic could not be launched: %1</source>
        <translation>restic konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>restic exited with code %1: %2</source>
        <translation>restic wurde mit Code %1 beendet: %2</translation>
    </message>
    <message>
        <source>Unexpected restic output: %1</source>
        <translation>Unerwartete Ausgabe von restic: %1</translation>
    </message>
    <message>
        <source>The restic executable was not found in the application bundle.</source>
        <translation>Das Programm restic wurde im Anwendungspaket nicht gefunden.</translation>
    </message>
    <message>
        <source>Backup could not be started.</source>
        <translation>Die Sicherung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Backup failed.</source>
        <translation>Die Sicherung ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The restic executable is missing from the app.</source>
        <translation>Das Programm restic fehlt in der Anwendung.</translation>
    </message>
    <message>
        <source>Backup destination could not be found.</source>
        <translation>Das Sicherungsziel wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Backup was cancelled.</source>
        <translation>Die Sicherung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Restore could not be started.</source>
        <translation>Die Wiederherstellung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Restore was cancelled.</source>
        <translation>Die Wiederherstellung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Restore failed.</source>
        <translation>Die Wiederherstellung ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The backups could not be read.</source>
        <translation>Die Sicherungen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>restic listed an entry that could not be read.</source>
        <translation>restic hat einen Eintrag geliefert, der nicht gelesen werden konnte.</translation>
    </message>
    <message>
        <source>The operation was cancelled.</source>
        <translation>Der Vorgang wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>ResticProcess</name>
    <message>
        <source>an answer larger than %1 MiB</source>
        <translation>eine Antwort größer als %1 MiB</translation>
    </message>
</context>
<context>
    <name>RestoreMessages</name>
    <message numerus="yes">
        <source>%1 and %Ln more</source>
        <translation>
            <numerusform>%1 und %Ln weiteres</numerusform>
            <numerusform>%1 und %Ln weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>your home folder</source>
        <translation>Ihrem persönlichen Ordner</translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing folders were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln vorhandener Ordner wurde behalten; die wiederhergestellte Kopie heißt %1.</numerusform>
            <numerusform>%Ln vorhandene Ordner wurden behalten; die wiederhergestellten Kopien heißen %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing files were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln vorhandene Datei wurde behalten; die wiederhergestellte Kopie heißt %1.</numerusform>
            <numerusform>%Ln vorhandene Dateien wurden behalten; die wiederhergestellten Kopien heißen %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing items were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln vorhandenes Element wurde behalten; die wiederhergestellte Kopie heißt %1.</numerusform>
            <numerusform>%Ln vorhandene Elemente wurden behalten; die wiederhergestellten Kopien heißen %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %Ln items to %1.</source>
        <translation>
            <numerusform>%Ln Element wurde in %1 wiederhergestellt.</numerusform>
            <numerusform>%Ln Elemente wurden in %1 wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Everything else was restored to %1.</source>
        <translation>Alles andere wurde in %1 wiederhergestellt.</translation>
    </message>
    <message>
        <source>“%1” couldn&apos;t be placed in the destination (%2).</source>
        <translation>„%1“ konnte nicht am Ziel abgelegt werden (%2).</translation>
    </message>
    <message numerus="yes">
        <source>%Ln more items couldn&apos;t be placed.</source>
        <translation>
            <numerusform>%Ln weiteres Element konnte nicht abgelegt werden.</numerusform>
            <numerusform>%Ln weitere Elemente konnten nicht abgelegt werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>This folder of the backup couldn&apos;t be read. %1</source>
        <translation>Dieser Ordner der Sicherung konnte nicht gelesen werden. %1</translation>
    </message>
    <message numerus="yes">
        <source>%Ln selected items are hidden by the search</source>
        <translation>
            <numerusform>%Ln ausgewähltes Element ist durch die Suche ausgeblendet</numerusform>
            <numerusform>%Ln ausgewählte Elemente sind durch die Suche ausgeblendet</numerusform>
        </translation>
    </message>
    <message>
        <source>“%1” has a name that isn&apos;t valid text, so Replace could also overwrite a file with a similar name. Restore it with Keep both.</source>
        <translation>„%1“ hat einen Namen, der kein gültiger Text ist; „Ersetzen“ könnte daher auch eine Datei mit ähnlichem Namen überschreiben. Stellen Sie sie mit „Beide behalten“ wieder her.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln items selected</source>
        <translation>
            <numerusform>%Ln Element ausgewählt</numerusform>
            <numerusform>%Ln Elemente ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>Indexing this backup…</source>
        <translation>Diese Sicherung wird indiziert…</translation>
    </message>
    <message>
        <source>Indexing this backup… %1%</source>
        <translation>Diese Sicherung wird indiziert… %1 %</translation>
    </message>
    <message numerus="yes">
        <source>Found in %Ln other folders</source>
        <translation>
            <numerusform>In %Ln anderen Ordner gefunden</numerusform>
            <numerusform>In %Ln anderen Ordnern gefunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Persönlicher Ordner</translation>
    </message>
    <message>
        <source>%1 — in %2</source>
        <translation>%1 — in %2</translation>
    </message>
    <message>
        <source>Versions of %1</source>
        <translation>Versionen von %1</translation>
    </message>
    <message>
        <source>%1 — %2, modified %3</source>
        <translation>%1 — %2, geändert: %3</translation>
    </message>
</context>
<context>
    <name>RestoreOutcome</name>
    <message>
        <source>Restore complete</source>
        <translation>Wiederherstellung abgeschlossen</translation>
    </message>
    <message>
        <source>Restore incomplete</source>
        <translation>Wiederherstellung unvollständig</translation>
    </message>
    <message>
        <source>Restore failed</source>
        <translation>Wiederherstellung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>RestoreProblem</name>
    <message>
        <source>The destination is full.</source>
        <translation>Das Ziel ist voll.</translation>
    </message>
    <message>
        <source>“%1” is a folder in the destination but a file in the backup.</source>
        <translation>„%1“ ist am Ziel ein Ordner, in der Sicherung aber eine Datei.</translation>
    </message>
    <message>
        <source>“%1” is damaged in the backup.</source>
        <translation>„%1“ ist in der Sicherung beschädigt.</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t allowed to write “%1”.</source>
        <translation>Keldoran darf „%1“ nicht schreiben.</translation>
    </message>
    <message>
        <source>An item couldn&apos;t be restored.</source>
        <translation>Ein Element konnte nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>“%1” couldn&apos;t be restored.</source>
        <translation>„%1“ konnte nicht wiederhergestellt werden.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln more items couldn&apos;t be restored.</source>
        <translation>
            <numerusform>%Ln weiteres Element konnte nicht wiederhergestellt werden.</numerusform>
            <numerusform>%Ln weitere Elemente konnten nicht wiederhergestellt werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SetupMessages</name>
    <message>
        <source>This bucket already holds a backup protected by a different password. Enter the password that backup was created with.</source>
        <translation>Dieser Bucket enthält bereits eine Sicherung mit einem anderen Passwort. Geben Sie das Passwort ein, mit dem diese Sicherung erstellt wurde.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach your storage. Check its address and your internet connection, then try again.</source>
        <translation>Ihr Speicher ist nicht erreichbar. Prüfen Sie seine Adresse und Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach Scaleway. Check your internet connection and try again.</source>
        <translation>Scaleway ist nicht erreichbar. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Those keys were rejected. Double-check the access key and secret key, then try again.</source>
        <translation>Diese Schlüssel wurden abgelehnt. Prüfen Sie Zugriffsschlüssel und geheimen Schlüssel und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>That bucket is in a different region than expected. Check the bucket name, then try again.</source>
        <translation>Dieser Bucket liegt in einer anderen Region als erwartet. Prüfen Sie den Bucket-Namen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Couldn&apos;t find that bucket. Check the bucket name, then try again.</source>
        <translation>Dieser Bucket wurde nicht gefunden. Prüfen Sie den Bucket-Namen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the bucket. Check your keys and bucket name, then try again.</source>
        <translation>Der Bucket ist nicht erreichbar. Prüfen Sie Ihre Schlüssel und den Bucket-Namen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Bucket names use 3–63 lowercase letters, digits, dots and hyphens, and begin and end with a letter or digit.</source>
        <translation>Bucket-Namen bestehen aus 3–63 Kleinbuchstaben, Ziffern, Punkten und Bindestrichen und beginnen und enden mit einem Buchstaben oder einer Ziffer.</translation>
    </message>
    <message>
        <source>Keldoran&apos;s storage settings can&apos;t be read. Set up the storage again to go on backing up.</source>
        <translation>Die Speichereinstellungen von Keldoran können nicht gelesen werden. Richten Sie den Speicher erneut ein, um weiter zu sichern.</translation>
    </message>
    <message>
        <source>There&apos;s no bucket named %1 in %2. Create it on your provider&apos;s page, or check the name.</source>
        <translation>In %2 gibt es keinen Bucket namens %1. Legen Sie ihn auf der Seite Ihres Anbieters an oder prüfen Sie den Namen.</translation>
    </message>
    <message>
        <source>There&apos;s no backup set up yet to use these keys with.</source>
        <translation>Es ist noch keine Sicherung eingerichtet, für die diese Schlüssel verwendet werden könnten.</translation>
    </message>
    <message>
        <source>These keys don&apos;t reach your backup. Use keys of the account that holds its bucket.</source>
        <translation>Diese Schlüssel erreichen Ihre Sicherung nicht. Verwenden Sie Schlüssel des Kontos, zu dem ihr Bucket gehört.</translation>
    </message>
    <message>
        <source>Couldn&apos;t determine your bucket&apos;s region. Check the bucket name, then try again.</source>
        <translation>Die Region Ihres Buckets konnte nicht ermittelt werden. Prüfen Sie den Bucket-Namen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Enter your storage&apos;s address, such as https://s3.example.com.</source>
        <translation>Geben Sie die Adresse Ihres Speichers ein, z. B. https://s3.example.com.</translation>
    </message>
    <message>
        <source>That isn&apos;t a storage address. Enter it as https://s3.example.com, with a port if it needs one.</source>
        <translation>Das ist keine Speicheradresse. Geben Sie sie als https://s3.example.com ein, bei Bedarf mit Port.</translation>
    </message>
    <message>
        <source>Enter the storage&apos;s address without a bucket or folder; the bucket has its own field.</source>
        <translation>Geben Sie die Adresse des Speichers ohne Bucket oder Ordner ein; der Bucket hat ein eigenes Feld.</translation>
    </message>
    <message>
        <source>Keldoran connects to storage only over https, except to a server on this computer.</source>
        <translation>Keldoran verbindet sich mit Speichern nur über https, außer mit einem Server auf diesem Computer.</translation>
    </message>
    <message>
        <source>A region is made of letters, digits and hyphens, such as us-east-1.</source>
        <translation>Eine Region besteht aus Buchstaben, Ziffern und Bindestrichen, z. B. us-east-1.</translation>
    </message>
</context>
<context>
    <name>StatusActivity</name>
    <message>
        <source>Protected</source>
        <translation>Geschützt</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files · source data</source>
        <translation>
            <numerusform>%Ln Datei · Quelldaten</numerusform>
            <numerusform>%Ln Dateien · Quelldaten</numerusform>
        </translation>
    </message>
    <message>
        <source>stored after deduplication</source>
        <translation>nach Deduplizierung gespeichert</translation>
    </message>
    <message>
        <source> · about %1 a month</source>
        <translation> · ca. %1 pro Monat</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Data change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>added by the last backup</source>
        <translation>durch die letzte Sicherung hinzugekommen</translation>
    </message>
    <message>
        <source>Last restore, %1: %2</source>
        <translation>Letzte Wiederherstellung, %1: %2</translation>
    </message>
    <message>
        <source>Recent backups</source>
        <translation>Letzte Sicherungen</translation>
    </message>
    <message numerus="yes">
        <source>Backed up with %Ln exclusions</source>
        <translation>
            <numerusform>Gesichert mit %Ln Ausschluss</numerusform>
            <numerusform>Gesichert mit %Ln Ausschlüssen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, with warnings</source>
        <translation>%1, mit Warnungen</translation>
    </message>
</context>
<context>
    <name>StatusPresentation</name>
    <message numerus="yes">
        <source>%1 of %Ln files</source>
        <translation>
            <numerusform>%1 von %Ln Datei</numerusform>
            <numerusform>%1 von %Ln Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1% complete</source>
        <translation>%1 % abgeschlossen</translation>
    </message>
    <message>
        <source>Your Mac&apos;s Keychain may still be locked — try Retry, or unlock it and try again.</source>
        <translation>Ihr Schlüsselbund ist vielleicht noch gesperrt — klicken Sie auf „Wiederholen“ oder entsperren Sie ihn und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups are paused until it&apos;s granted.</source>
        <translation>Keldoran kann Ihren persönlichen Ordner nicht lesen. Sicherungen sind pausiert, bis das wieder möglich ist.</translation>
    </message>
    <message>
        <source>Resumes %1</source>
        <translation>Wird %1 fortgesetzt</translation>
    </message>
    <message>
        <source>Resume to continue protection</source>
        <translation>Fortsetzen, um wieder geschützt zu sein</translation>
    </message>
    <message>
        <source>Will resume automatically</source>
        <translation>Wird automatisch fortgesetzt</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Set Up Keldoran</source>
        <translation>Keldoran einrichten</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Open System Settings</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Waiting for network</source>
        <translation>Warten auf Netzwerk</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>Jetzt sichern</translation>
    </message>
    <message numerus="yes">
        <source>Completed with %Ln warnings</source>
        <translation>
            <numerusform>Abgeschlossen mit %Ln Warnung</numerusform>
            <numerusform>Abgeschlossen mit %Ln Warnungen</numerusform>
        </translation>
    </message>
    <message>
        <source>Backing up…</source>
        <translation>Sicherung läuft…</translation>
    </message>
    <message>
        <source>Last backup failed</source>
        <translation>Letzte Sicherung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Set up Keldoran</source>
        <translation>Keldoran einrichten</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your saved credentials</source>
        <translation>Gespeicherte Zugangsdaten nicht lesbar</translation>
    </message>
    <message>
        <source>Full Disk Access needed</source>
        <translation>Zugriff auf persönlichen Ordner nötig</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Geschützt</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausiert</translation>
    </message>
    <message>
        <source>Backed up %1</source>
        <translation>Zuletzt gesichert: %1</translation>
    </message>
    <message>
        <source>Not backed up yet</source>
        <translation>Noch nicht gesichert</translation>
    </message>
    <message>
        <source>macOS blocked access to a file.</source>
        <translation>Das System hat den Zugriff auf eine Datei blockiert.</translation>
    </message>
    <message>
        <source>A file couldn&apos;t be read (no permission).</source>
        <translation>Eine Datei konnte nicht gelesen werden (keine Berechtigung).</translation>
    </message>
    <message>
        <source>A file changed or was removed while backing up.</source>
        <translation>Eine Datei wurde während der Sicherung geändert oder entfernt.</translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be backed up.</source>
        <translation>Einige Dateien konnten nicht gesichert werden.</translation>
    </message>
    <message>
        <source>macOS blocked access to %1.</source>
        <translation>Das System hat den Zugriff auf %1 blockiert.</translation>
    </message>
    <message>
        <source>No permission to read %1.</source>
        <translation>Keine Berechtigung, %1 zu lesen.</translation>
    </message>
    <message>
        <source>%1 changed or was removed while backing up.</source>
        <translation>%1 wurde während der Sicherung geändert oder entfernt.</translation>
    </message>
    <message>
        <source>%1 couldn&apos;t be backed up.</source>
        <translation>%1 konnte nicht gesichert werden.</translation>
    </message>
    <message>
        <source>Last backup didn&apos;t finish</source>
        <translation>Letzte Sicherung nicht beendet</translation>
    </message>
    <message>
        <source>It continues where it left off. %1.</source>
        <translation>Sie wird dort fortgesetzt, wo sie aufgehört hat. %1.</translation>
    </message>
    <message>
        <source>Background backups aren&apos;t set up (%1). Backups run only while Keldoran is open.</source>
        <translation>Hintergrundsicherungen sind nicht eingerichtet (%1). Sicherungen laufen nur, solange Keldoran geöffnet ist.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Next backup %1</source>
        <translation>Nächste Sicherung %1</translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>und %Ln weitere</numerusform>
            <numerusform>und %Ln weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Full Disk Access is on, yet macOS still blocked these. In System Settings › Privacy &amp; Security › Full Disk Access, remove Keldoran, add it again, then relaunch.</source>
        <translation>Das System hat diese blockiert, obwohl Keldoran Ihren persönlichen Ordner lesen kann. Prüfen Sie ihre Berechtigungen, Sicherheitskennzeichnungen oder Einhängeoptionen.</translation>
    </message>
    <message>
        <source>Keldoran needs Full Disk Access in System Settings › Privacy &amp; Security to read these.</source>
        <translation>Keldoran kann Ihren persönlichen Ordner nicht lesen. Geben Sie Keldoran Zugriff darauf, um diese zu lesen.</translation>
    </message>
    <message>
        <source>These files&apos; owner or permissions prevent reading them — Full Disk Access doesn&apos;t change that.</source>
        <translation>Eigentümer oder Berechtigungen dieser Dateien verhindern das Lesen.</translation>
    </message>
    <message>
        <source>Data integrity verified</source>
        <translation>Datenintegrität geprüft</translation>
    </message>
    <message>
        <source>Check overdue</source>
        <translation>Prüfung überfällig</translation>
    </message>
    <message>
        <source>Check failed</source>
        <translation>Prüfung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Damaged data was found in the backup. Don&apos;t delete snapshots — check the repository.</source>
        <translation>In der Sicherung wurden beschädigte Daten gefunden. Löschen Sie keine Snapshots — prüfen Sie das Repository.</translation>
    </message>
    <message>
        <source>The backup storage couldn&apos;t be reached for checking.</source>
        <translation>Der Sicherungsspeicher war für die Prüfung nicht erreichbar.</translation>
    </message>
    <message>
        <source>The last check didn&apos;t complete. It will retry on schedule.</source>
        <translation>Die letzte Prüfung wurde nicht abgeschlossen. Sie wird planmäßig wiederholt.</translation>
    </message>
    <message>
        <source>Protected: %1</source>
        <translation>Geschützt: %1</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files · source data</source>
        <translation>
            <numerusform>%Ln Datei · Quelldaten</numerusform>
            <numerusform>%Ln Dateien · Quelldaten</numerusform>
        </translation>
    </message>
    <message>
        <source>Storage: %1 stored after deduplication</source>
        <translation>Speicher: %1 nach Deduplizierung belegt</translation>
    </message>
    <message>
        <source>, about %1 a month</source>
        <translation>, ca. %1 pro Monat</translation>
    </message>
</context>
<context>
    <name>StatusWords</name>
    <message>
        <source>Keldoran status</source>
        <translation>Keldoran-Status</translation>
    </message>
    <message>
        <source>Backup progress</source>
        <translation>Sicherungsfortschritt</translation>
    </message>
    <message>
        <source>Set up background backups again</source>
        <translation>Hintergrundsicherung neu einrichten</translation>
    </message>
    <message>
        <source>Hide details</source>
        <translation>Details ausblenden</translation>
    </message>
    <message>
        <source>View details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message>
        <source>Hide activity</source>
        <translation>Aktivität ausblenden</translation>
    </message>
    <message>
        <source>Show activity</source>
        <translation>Aktivität anzeigen</translation>
    </message>
</context>
<context>
    <name>StorageCatalogue</name>
    <message>
        <source>Other S3-compatible storage</source>
        <translation>Anderer S3-kompatibler Speicher</translation>
    </message>
    <message>
        <source>Berlin, Germany</source>
        <translation>Berlin, Deutschland</translation>
    </message>
    <message>
        <source>Frankfurt, Germany</source>
        <translation>Frankfurt, Deutschland</translation>
    </message>
    <message>
        <source>Logroño, Spain</source>
        <translation>Logroño, Spanien</translation>
    </message>
    <message>
        <source>Gravelines, France</source>
        <translation>Gravelines, Frankreich</translation>
    </message>
    <message>
        <source>Strasbourg, France</source>
        <translation>Straßburg, Frankreich</translation>
    </message>
    <message>
        <source>Roubaix, France</source>
        <translation>Roubaix, Frankreich</translation>
    </message>
    <message>
        <source>Warsaw, Poland</source>
        <translation>Warschau, Polen</translation>
    </message>
    <message>
        <source>Paris, France</source>
        <translation>Paris, Frankreich</translation>
    </message>
    <message>
        <source>Amsterdam, Netherlands</source>
        <translation>Amsterdam, Niederlande</translation>
    </message>
</context>
<context>
    <name>XdgServiceRegistration</name>
    <message>
        <source>Couldn&apos;t write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>keldoran::AppActions</name>
    <message>
        <source>Back up now</source>
        <translation>Jetzt sichern</translation>
    </message>
    <message>
        <source>Pause protection…</source>
        <translation>Schutz pausieren…</translation>
    </message>
    <message>
        <source>Resume protection</source>
        <translation>Schutz fortsetzen</translation>
    </message>
    <message>
        <source>Restore files…</source>
        <translation>Dateien wiederherstellen…</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Check for updates…</source>
        <translation>Nach Updates suchen…</translation>
    </message>
    <message>
        <source>Quit Keldoran</source>
        <translation>Keldoran beenden</translation>
    </message>
    <message>
        <source>For 1 hour</source>
        <translation>Für 1 Stunde</translation>
    </message>
    <message>
        <source>Until tomorrow</source>
        <translation>Bis morgen</translation>
    </message>
    <message>
        <source>Indefinitely</source>
        <translation>Bis auf Weiteres</translation>
    </message>
</context>
<context>
    <name>keldoran::BackupController</name>
    <message>
        <source>Stopping…</source>
        <translation>Wird gestoppt…</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t set up yet.</source>
        <translation>Keldoran ist noch nicht eingerichtet.</translation>
    </message>
    <message>
        <source>the storage</source>
        <translation>Ihr Speicher</translation>
    </message>
</context>
<context>
    <name>keldoran::BackupScope</name>
    <message>
        <source>Home</source>
        <translation>Persönlicher Ordner</translation>
    </message>
</context>
<context>
    <name>keldoran::ChangeKeysSheet</name>
    <message>
        <source>Change keys</source>
        <translation>Schlüssel ändern</translation>
    </message>
    <message>
        <source>Keldoran checks the new keys against your backup, and keeps the old ones until they work.</source>
        <translation>Keldoran prüft die neuen Schlüssel mit Ihrer Sicherung und behält die alten, bis die neuen funktionieren.</translation>
    </message>
    <message>
        <source>Access key</source>
        <translation>Zugriffsschlüssel</translation>
    </message>
    <message>
        <source>Secret key</source>
        <translation>Geheimer Schlüssel</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Check and save</source>
        <translation>Prüfen und speichern</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft…</translation>
    </message>
</context>
<context>
    <name>keldoran::DesktopShell</name>
    <message>
        <source>Keldoran is up to date.</source>
        <translation>Keldoran ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Couldn&apos;t check for updates. %1</source>
        <extracomment>%1 says why, in a sentence of its own.</extracomment>
        <translation>Die Suche nach Updates ist fehlgeschlagen. %1</translation>
    </message>
    <message>
        <source>Keldoran %1 is available.</source>
        <translation>Keldoran %1 ist verfügbar.</translation>
    </message>
    <message>
        <source>You have %1. The download page opens in your browser.</source>
        <extracomment>%1 is the version of Keldoran that runs now.</extracomment>
        <translation>Sie haben Version %1. Die Downloadseite wird in Ihrem Browser geöffnet.</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Nicht jetzt</translation>
    </message>
</context>
<context>
    <name>keldoran::DestinationSheet</name>
    <message>
        <source>Choose</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <source>Restore %Ln items</source>
        <translation>
            <numerusform>%Ln Element wiederherstellen</numerusform>
            <numerusform>%Ln Elemente wiederherstellen</numerusform>
        </translation>
    </message>
    <message>
        <source>Restore to</source>
        <translation>Wiederherstellen nach</translation>
    </message>
    <message>
        <source>Original location</source>
        <translation>Ursprünglicher Ort</translation>
    </message>
    <message>
        <source>Another folder…</source>
        <translation>Anderer Ordner…</translation>
    </message>
    <message>
        <source>If a file already exists there</source>
        <translation>Falls dort schon eine Datei existiert</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>From the snapshot taken today at %1</source>
        <translation>Aus dem Snapshot von heute um %1</translation>
    </message>
    <message>
        <source>From the snapshot taken yesterday at %1</source>
        <translation>Aus dem Snapshot von gestern um %1</translation>
    </message>
    <message>
        <source>From the snapshot taken %1 at %2</source>
        <translation>Aus dem Snapshot vom %1 um %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %Ln more</source>
        <translation>
            <numerusform>%1 und %Ln weiteres</numerusform>
            <numerusform>%1 und %Ln weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Ändern…</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>Keeping both restores as name (restored).ext — your current files stay untouched.</source>
        <translation>„Beide behalten“ stellt Dateien als „Name (restored).ext“ wieder her — Ihre aktuellen Dateien bleiben unverändert.</translation>
    </message>
    <message>
        <source>Replace overwrites the current files at the destination.</source>
        <translation>„Ersetzen“ überschreibt die aktuellen Dateien am Ziel.</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <comment>date format of QLocale</comment>
        <translation>d. MMM yyyy</translation>
    </message>
</context>
<context>
    <name>keldoran::IndexPanel</name>
    <message>
        <source>Matches in other folders</source>
        <translation>Treffer in anderen Ordnern</translation>
    </message>
</context>
<context>
    <name>keldoran::NotificationPolicy</name>
    <message>
        <source>Backup failed</source>
        <translation>Sicherung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your saved credentials</source>
        <translation>Gespeicherte Zugangsdaten nicht lesbar</translation>
    </message>
    <message>
        <source>Your Mac&apos;s Keychain may still be locked — try Retry, or unlock it and try again.</source>
        <extracomment>On Linux this reads “Your keyring may still be locked — try Retry, or unlock it and try again.”: translate that meaning. “Retry” is the notification&apos;s button.</extracomment>
        <translation>Ihr Schlüsselbund ist möglicherweise noch gesperrt — klicken Sie auf „Wiederholen“ oder entsperren Sie ihn und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Full Disk Access needed</source>
        <extracomment>On Linux this reads “Home folder access needed”: translate that meaning.</extracomment>
        <translation>Zugriff auf persönlichen Ordner nötig</translation>
    </message>
    <message>
        <source>Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups are paused until it&apos;s granted.</source>
        <extracomment>On Linux this reads “Keldoran can&apos;t read your home folder. Backups are paused until it can.”: translate that meaning.</extracomment>
        <translation>Keldoran kann Ihren persönlichen Ordner nicht lesen. Die Sicherungen pausieren, bis das wieder möglich ist.</translation>
    </message>
    <message>
        <source>Backups are overdue</source>
        <translation>Sicherungen sind überfällig</translation>
    </message>
    <message>
        <source>Keldoran last backed up %1. It will try again when it can.</source>
        <extracomment>%1 is when, as “3 days ago”.</extracomment>
        <translation>Keldoran hat zuletzt %1 gesichert. Ein neuer Versuch folgt, sobald es möglich ist.</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>Jetzt sichern</translation>
    </message>
</context>
<context>
    <name>keldoran::OnboardingModel</name>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft…</translation>
    </message>
    <message>
        <source>That password doesn&apos;t open this backup.</source>
        <translation>Mit diesem Passwort lässt sich diese Sicherung nicht öffnen.</translation>
    </message>
    <message>
        <source>Use at least 8 characters.</source>
        <translation>Verwenden Sie mindestens 8 Zeichen.</translation>
    </message>
    <message>
        <source>Passwords don&apos;t match.</source>
        <translation>Die Passwörter stimmen nicht überein.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the bucket.</source>
        <translation>Der Bucket ist nicht erreichbar.</translation>
    </message>
</context>
<context>
    <name>keldoran::OnboardingWindow</name>
    <message>
        <source>Set up Keldoran</source>
        <translation>Keldoran einrichten</translation>
    </message>
    <message>
        <source>Setup progress</source>
        <translation>Einrichtungsfortschritt</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Welcome to Keldoran</source>
        <translation>Willkommen bei Keldoran</translation>
    </message>
    <message>
        <source>Encrypted backups to European storage you own. Set up once — then never think about it again.</source>
        <translation>Verschlüsselte Sicherungen in Ihrem eigenen europäischen Speicher. Einmal einrichten — dann nie wieder daran denken.</translation>
    </message>
    <message>
        <source>Allow Keldoran to see your files</source>
        <translation>Keldoran Zugriff auf Ihre Dateien erlauben</translation>
    </message>
    <message>
        <source>macOS keeps your files behind Full Disk Access. Keldoran needs it — for the app and its background helper — so it can protect everything, not just some folders.</source>
        <translation>Keldoran liest Ihren gesamten persönlichen Ordner, damit alles geschützt ist, nicht nur einzelne Ordner.</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>Access granted</source>
        <translation>Zugriff erteilt</translation>
    </message>
    <message>
        <source>Choose where your backups live</source>
        <translation>Wählen Sie, wo Ihre Sicherungen liegen</translation>
    </message>
    <message>
        <source>Every option is a European provider. The bucket is yours, and you pay the provider directly — Keldoran never sees your data.</source>
        <translation>Alle Anbieter hier sind europäisch. Der Bucket gehört Ihnen, und Sie bezahlen den Anbieter direkt — Keldoran sieht Ihre Daten nie.</translation>
    </message>
    <message>
        <source>You can&apos;t switch providers later inside Keldoran — switching means setting up a fresh backup. Your existing backup stays restorable.</source>
        <translation>Den Anbieter können Sie später in Keldoran nicht wechseln — ein Wechsel bedeutet, eine neue Sicherung einzurichten. Ihre bisherige Sicherung bleibt wiederherstellbar.</translation>
    </message>
    <message>
        <source>Show other providers</source>
        <translation>Weitere Anbieter anzeigen</translation>
    </message>
    <message>
        <source>Connect your storage</source>
        <translation>Speicher verbinden</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Buckets are part of the address&apos;s path</source>
        <translation>Buckets sind Teil des Adresspfads</translation>
    </message>
    <message>
        <source>Bucket name</source>
        <translation>Bucket-Name</translation>
    </message>
    <message>
        <source>Access key</source>
        <translation>Zugriffsschlüssel</translation>
    </message>
    <message>
        <source>Secret key</source>
        <translation>Geheimer Schlüssel</translation>
    </message>
    <message>
        <source>View guide</source>
        <translation>Anleitung ansehen</translation>
    </message>
    <message>
        <source>Where your data lives</source>
        <translation>Wo Ihre Daten liegen</translation>
    </message>
    <message>
        <source>If you lose this password, your backups can&apos;t be opened — not even by us. Store it somewhere safe, like a password manager.</source>
        <translation>Wenn Sie dieses Passwort verlieren, lassen sich Ihre Sicherungen nicht mehr öffnen — auch nicht von uns. Bewahren Sie es sicher auf, etwa in einem Passwortmanager.</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Confirm password</source>
        <translation>Passwort bestätigen</translation>
    </message>
    <message>
        <source>What Keldoran backs up</source>
        <translation>Was Keldoran sichert</translation>
    </message>
    <message>
        <source>Your whole home folder, minus the noise that doesn&apos;t need saving. You can adjust this anytime in Preferences.</source>
        <translation>Ihren gesamten persönlichen Ordner, ohne den Ballast, der nicht gesichert werden muss. Sie können das jederzeit in den Einstellungen anpassen.</translation>
    </message>
    <message>
        <source>Exclusions</source>
        <translation>Ausschlüsse</translation>
    </message>
    <message>
        <source>Review…</source>
        <translation>Prüfen…</translation>
    </message>
    <message>
        <source>Choose what&apos;s backed up</source>
        <translation>Auswählen, was gesichert wird</translation>
    </message>
    <message>
        <source>Also back up app data such as mail and browser profiles</source>
        <translation>Auch Anwendungsdaten wie E-Mails und Browserprofile sichern</translation>
    </message>
    <message>
        <source>Keeps ~/.local/share, ~/.mozilla, ~/.thunderbird and ~/.var/app, without their trash and caches.</source>
        <translation>Sichert ~/.local/share, ~/.mozilla, ~/.thunderbird und ~/.var/app, ohne die Papierkörbe und Caches darin.</translation>
    </message>
    <message>
        <source>Ready to start</source>
        <translation>Bereit zum Start</translation>
    </message>
    <message>
        <source>Enter your backup password</source>
        <translation>Sicherungspasswort eingeben</translation>
    </message>
    <message>
        <source>Create your backup password</source>
        <translation>Sicherungspasswort festlegen</translation>
    </message>
    <message>
        <source>Enter the backup password you chose when you first set up Keldoran</source>
        <translation>Geben Sie das Sicherungspasswort ein, das Sie bei der ersten Einrichtung von Keldoran gewählt haben</translation>
    </message>
    <message>
        <source>This password encrypts everything before it leaves your Mac. Only you can unlock your backups with it.</source>
        <translation>Dieses Passwort verschlüsselt alles, bevor es Ihren Computer verlässt. Nur Sie können Ihre Sicherungen damit entsperren.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft…</translation>
    </message>
    <message>
        <source>Connected — bucket %1 found in %2</source>
        <translation>Verbunden — Bucket %1 in %2 gefunden</translation>
    </message>
    <message>
        <source>Let Keldoran create the bucket %1</source>
        <translation>Keldoran den Bucket %1 erstellen lassen</translation>
    </message>
    <message>
        <source>Keldoran will connect to your existing backup in bucket %1 and back up this computer&apos;s changes to it.</source>
        <translation>Keldoran verbindet sich mit Ihrer bestehenden Sicherung im Bucket %1 und sichert die Änderungen dieses Computers dorthin.</translation>
    </message>
    <message>
        <source>Keldoran will create your encrypted backup in bucket %1 and start the first backup.</source>
        <translation>Keldoran erstellt Ihre verschlüsselte Sicherung im Bucket %1 und startet die erste Sicherung.</translation>
    </message>
    <message>
        <source>Keldoran lives in the menu bar — look for the ring icon.</source>
        <translation>Sie finden Keldoran in der Systemleiste — achten Sie auf das Ring-Symbol.</translation>
    </message>
    <message>
        <source>Your first backup is starting now.</source>
        <translation>Ihre erste Sicherung startet jetzt.</translation>
    </message>
    <message>
        <source>Connecting to your backup…</source>
        <translation>Verbindung zu Ihrer Sicherung wird hergestellt…</translation>
    </message>
    <message>
        <source>Creating your backup…</source>
        <translation>Ihre Sicherung wird erstellt…</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>Schritt %1 von %2</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Loslegen</translation>
    </message>
    <message>
        <source>Continue with %1</source>
        <translation>Weiter mit %1</translation>
    </message>
    <message>
        <source>Start using Keldoran</source>
        <translation>Keldoran verwenden</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Enter your storage&apos;s address and the two keys it gave you. Keldoran keeps the keys in your Mac&apos;s Keychain — they never leave this device.</source>
        <translation>Geben Sie die Adresse Ihres Speichers und die beiden Schlüssel ein, die Sie dort erhalten haben. Keldoran bewahrt die Schlüssel in Ihrem Schlüsselbund auf — sie verlassen dieses Gerät nie.</translation>
    </message>
    <message>
        <source>Paste the two keys from your %1 storage page. Keldoran keeps them in your Mac&apos;s Keychain — they never leave this device.</source>
        <translation>Fügen Sie die beiden Schlüssel von Ihrer Speicherseite bei %1 ein. Keldoran bewahrt sie in Ihrem Schlüsselbund auf — sie verlassen dieses Gerät nie.</translation>
    </message>
    <message>
        <source>Don&apos;t have these yet? Creating a %1 account, a bucket and the two keys takes about ten minutes, start to finish.</source>
        <translation>Noch keine Schlüssel? Ein Konto bei %1, einen Bucket und die beiden Schlüssel anzulegen, dauert insgesamt etwa zehn Minuten.</translation>
    </message>
    <message>
        <source>Hide secret key</source>
        <translation>Geheimen Schlüssel verbergen</translation>
    </message>
    <message>
        <source>Show secret key</source>
        <translation>Geheimen Schlüssel anzeigen</translation>
    </message>
    <message>
        <source>Your backups stay where your storage keeps them. Keldoran simply uses it.</source>
        <translation>Ihre Sicherungen bleiben dort, wo Ihr Speicher sie ablegt. Keldoran nutzt ihn einfach.</translation>
    </message>
    <message>
        <source>Your backups stay in the European region you chose when you created your %1 storage. Keldoran simply uses it.</source>
        <translation>Ihre Sicherungen bleiben in der europäischen Region, die Sie beim Anlegen Ihres Speichers bei %1 gewählt haben. Keldoran nutzt sie einfach.</translation>
    </message>
    <message>
        <source>Bucket %1</source>
        <translation>Bucket %1</translation>
    </message>
    <message>
        <source>Want a different region? Create your bucket in %1 at %2 instead — the location is set there, not here.</source>
        <translation>Andere Region gewünscht? Legen Sie Ihren Bucket stattdessen in %1 bei %2 an — der Standort wird dort festgelegt, nicht hier.</translation>
    </message>
</context>
<context>
    <name>keldoran::PreferencesWindow</name>
    <message>
        <source>Exclude</source>
        <translation>Ausschließen</translation>
    </message>
    <message>
        <source>Keldoran Preferences</source>
        <translation>Keldoran-Einstellungen</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Keldoran automatically keeps %1 hourly, %2 daily, and %3 monthly versions. This isn&apos;t adjustable — sensible by design.</source>
        <translation>Keldoran behält automatisch %1 stündliche, %2 tägliche und %3 monatliche Versionen. Das ist nicht einstellbar — die Werte sind bewusst sinnvoll gewählt.</translation>
    </message>
    <message>
        <source>Back up</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation>Stündlich</translation>
    </message>
    <message>
        <source>Every 6 hours</source>
        <translation>Alle 6 Stunden</translation>
    </message>
    <message>
        <source>Once a day</source>
        <translation>Einmal täglich</translation>
    </message>
    <message>
        <source>Back up on battery power</source>
        <translation>Im Akkubetrieb sichern</translation>
    </message>
    <message>
        <source>Back up on metered connections</source>
        <translation>Bei getakteten Verbindungen sichern</translation>
    </message>
    <message>
        <source>Limit upload speed</source>
        <translation>Upload-Geschwindigkeit begrenzen</translation>
    </message>
    <message>
        <source>Upload speed</source>
        <translation>Upload-Geschwindigkeit</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <translation>%1 MB/s</translation>
    </message>
    <message>
        <source>Unlimited</source>
        <translation>Unbegrenzt</translation>
    </message>
    <message>
        <source>Start protecting when I log in</source>
        <translation>Schutz bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Notify me when a backup needs my attention</source>
        <translation>Benachrichtigen, wenn eine Sicherung meine Aufmerksamkeit braucht</translation>
    </message>
    <message>
        <source>A failed backup, credentials that can&apos;t be read, a home folder that can&apos;t be read, or backups overdue.</source>
        <translation>Eine fehlgeschlagene Sicherung, nicht lesbare Zugangsdaten, ein nicht lesbarer persönlicher Ordner oder überfällige Sicherungen.</translation>
    </message>
    <message>
        <source>These are never sent to your backup. Hidden folders are skipped automatically (except .ssh, .gnupg, .config and those you tick in “Choose what&apos;s backed up”), plus sensible defaults and anything you add.</source>
        <translation>Diese Einträge landen nie in Ihrer Sicherung. Versteckte Ordner werden automatisch übersprungen (außer .ssh, .gnupg, .config und denen, die Sie unter „Auswählen, was gesichert wird“ ankreuzen), dazu sinnvolle Standardausschlüsse und alles, was Sie hinzufügen.</translation>
    </message>
    <message>
        <source>Add exclusion…</source>
        <translation>Ausschluss hinzufügen…</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <source>Re-add the built-in default exclusions; your own entries are kept.</source>
        <translation>Fügt die eingebauten Standardausschlüsse wieder hinzu; Ihre eigenen Einträge bleiben erhalten.</translation>
    </message>
    <message>
        <source>Choose what&apos;s backed up…</source>
        <translation>Auswählen, was gesichert wird…</translation>
    </message>
    <message>
        <source>To back up somewhere else, set up a new backup. This one stays restorable with its keys.</source>
        <translation>Um an einen anderen Ort zu sichern, richten Sie eine neue Sicherung ein. Diese hier bleibt mit ihren Schlüsseln wiederherstellbar.</translation>
    </message>
    <message>
        <source>Change keys…</source>
        <translation>Schlüssel ändern…</translation>
    </message>
    <message>
        <source>Set up a new backup…</source>
        <translation>Neue Sicherung einrichten…</translation>
    </message>
    <message>
        <source>Remove Keldoran and its data</source>
        <translation>Keldoran und seine Daten entfernen</translation>
    </message>
    <message>
        <source>Deletes the keys, password and settings Keldoran keeps on this Mac. Your backups are not touched.</source>
        <translation>Löscht die Schlüssel, das Passwort und die Einstellungen, die Keldoran auf diesem Computer speichert. Ihre Sicherungen bleiben unberührt.</translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation>Entfernen…</translation>
    </message>
    <message>
        <source>Bucket %1</source>
        <translation>Bucket %1</translation>
    </message>
    <message>
        <source>No storage set up yet</source>
        <translation>Noch kein Speicher eingerichtet</translation>
    </message>
    <message>
        <source>Encrypted · your bucket</source>
        <translation>Verschlüsselt · Ihr Bucket</translation>
    </message>
    <message>
        <source>Stop excluding %1</source>
        <translation>%1 nicht mehr ausschließen</translation>
    </message>
    <message>
        <source>Set up a new backup?</source>
        <translation>Neue Sicherung einrichten?</translation>
    </message>
    <message>
        <source>Keldoran will back up to the storage you set up next. Your current backup in bucket %1 is not touched and stays restorable with its keys and password.</source>
        <translation>Keldoran sichert künftig in den Speicher, den Sie als Nächstes einrichten. Ihre bisherige Sicherung im Bucket %1 bleibt unberührt und mit ihren Schlüsseln und ihrem Passwort wiederherstellbar.</translation>
    </message>
    <message>
        <source>Keldoran will back up to the storage you set up next. Your current backup is not touched and stays restorable with its keys and password.</source>
        <translation>Keldoran sichert künftig in den Speicher, den Sie als Nächstes einrichten. Ihre bisherige Sicherung bleibt unberührt und mit ihren Schlüsseln und ihrem Passwort wiederherstellbar.</translation>
    </message>
    <message>
        <source>Set Up New Backup</source>
        <translation>Neue Sicherung einrichten</translation>
    </message>
    <message>
        <source>Some items could not be removed. The log has the details.</source>
        <translation>Einige Elemente konnten nicht entfernt werden. Details stehen im Protokoll.</translation>
    </message>
</context>
<context>
    <name>keldoran::RemoveDataSheet</name>
    <message>
        <source>Remove Keldoran</source>
        <translation>Keldoran entfernen</translation>
    </message>
    <message>
        <source>Remove Keldoran and its data?</source>
        <translation>Keldoran und seine Daten entfernen?</translation>
    </message>
    <message>
        <source>This removes everything Keldoran keeps on this Mac.</source>
        <translation>Dadurch wird alles entfernt, was Keldoran auf diesem Computer speichert.</translation>
    </message>
    <message>
        <source>Your storage keys and repository password</source>
        <translation>Ihre Speicherschlüssel und Ihr Sicherungspasswort</translation>
    </message>
    <message>
        <source>Your settings and logs on this Mac</source>
        <translation>Ihre Einstellungen und Protokolle auf diesem Computer</translation>
    </message>
    <message>
        <source>The login item and the background agent</source>
        <translation>Der Autostart-Eintrag und der Hintergrunddienst</translation>
    </message>
    <message>
        <source>Your backups are not deleted. Everything in your storage stays exactly as it is, and stays restorable with your keys.</source>
        <translation>Ihre Sicherungen werden nicht gelöscht. Alles in Ihrem Speicher bleibt genau so, wie es ist, und mit Ihren Schlüsseln wiederherstellbar.</translation>
    </message>
    <message>
        <source>Also delete the restic cache (%1)</source>
        <translation>Auch den restic-Cache löschen (%1)</translation>
    </message>
    <message>
        <source>It is shared with any other restic on this Mac, so it is left alone unless you ask.</source>
        <translation>Andere restic-Programme auf diesem Computer nutzen ihn mit, daher bleibt er erhalten, außer Sie wünschen es.</translation>
    </message>
    <message>
        <source>Keldoran will quit. Drag it to the Trash to finish.</source>
        <translation>Keldoran wird beendet. Entfernen Sie es danach mit Ihrer Paketverwaltung.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Remove and quit</source>
        <translation>Entfernen und beenden</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreBrowser</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>Earlier</source>
        <translation>Früher</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Persönlicher Ordner</translation>
    </message>
    <message>
        <source>Restore was cancelled.</source>
        <translation>Die Wiederherstellung wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreFileTable</name>
    <message>
        <source>Selected</source>
        <translation>Ausgewählt</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Nicht ausgewählt</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreProgressOverlay</name>
    <message>
        <source>Restore progress</source>
        <translation>Wiederherstellungsfortschritt</translation>
    </message>
    <message>
        <source>Show in Finder</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Restoring… %1%</source>
        <translation>Wird wiederhergestellt… %1 %</translation>
    </message>
    <message>
        <source>Restore complete</source>
        <translation>Wiederherstellung abgeschlossen</translation>
    </message>
    <message>
        <source>Restore incomplete</source>
        <translation>Wiederherstellung unvollständig</translation>
    </message>
    <message>
        <source>Restore failed</source>
        <translation>Wiederherstellung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreWindow</name>
    <message>
        <source>Restore — Keldoran</source>
        <translation>Wiederherstellen — Keldoran</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Restore to…</source>
        <translation>Wiederherstellen nach…</translation>
    </message>
    <message>
        <source>Show versions…</source>
        <translation>Versionen anzeigen…</translation>
    </message>
    <message>
        <source>No snapshot</source>
        <translation>Kein Snapshot</translation>
    </message>
    <message>
        <source>Set up Keldoran to restore files.</source>
        <translation>Richten Sie Keldoran ein, um Dateien wiederherzustellen.</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Wird geladen…</translation>
    </message>
    <message>
        <source>No backups to restore from yet.</source>
        <translation>Noch keine Sicherungen zum Wiederherstellen.</translation>
    </message>
    <message>
        <source>This folder is empty</source>
        <translation>Dieser Ordner ist leer</translation>
    </message>
    <message>
        <source>No results for &quot;%1&quot;</source>
        <translation>Keine Ergebnisse für „%1“</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Nothing on this computer could open %1. Open it in your file manager.</source>
        <translation>Kein Programm auf diesem Computer kann %1 öffnen. Öffnen Sie es in Ihrem Dateimanager.</translation>
    </message>
</context>
<context>
    <name>keldoran::ScopeBrowser</name>
    <message>
        <source>Choose what&apos;s backed up</source>
        <translation>Auswählen, was gesichert wird</translation>
    </message>
    <message>
        <source>Your home folder is backed up, except the exclusions below.</source>
        <translation>Ihr persönlicher Ordner wird gesichert, bis auf die Ausschlüsse unten.</translation>
    </message>
    <message>
        <source>Changes are saved immediately.</source>
        <translation>Änderungen werden sofort gespeichert.</translation>
    </message>
    <message>
        <source>Show hidden folders</source>
        <translation>Versteckte Ordner anzeigen</translation>
    </message>
    <message>
        <source>Hidden folders hold app data such as mail and browser profiles. They are skipped unless ticked.</source>
        <translation>Versteckte Ordner enthalten Anwendungsdaten wie E-Mails und Browserprofile. Sie werden nur gesichert, wenn sie angekreuzt sind.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Nothing skipped</source>
        <translation>Nichts wird übersprungen</translation>
    </message>
    <message numerus="yes">
        <source>Skipping %Ln places</source>
        <translation>
            <numerusform>%Ln Ort wird übersprungen</numerusform>
            <numerusform>%Ln Orte werden übersprungen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 · size not yet calculated</source>
        <translation>%1 · Größe noch nicht berechnet</translation>
    </message>
    <message>
        <source>%1 · ~%2 not backed up</source>
        <translation>%1 · ~%2 nicht gesichert</translation>
    </message>
    <message>
        <source>Next backup: your home folder, minus %1, %2 and %3 — plus cache folders.</source>
        <translation>Nächste Sicherung: Ihr persönlicher Ordner ohne %1, %2 und %3 — und ohne Cache-Ordner.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln entries from this list</source>
        <translation>
            <numerusform>%Ln Eintrag dieser Liste</numerusform>
            <numerusform>%Ln Einträge dieser Liste</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln unticked folders</source>
        <translation>
            <numerusform>%Ln abgewählten Ordner</numerusform>
            <numerusform>%Ln abgewählte Ordner</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln hidden folders</source>
        <translation>
            <numerusform>%Ln versteckten Ordner</numerusform>
            <numerusform>%Ln versteckte Ordner</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Also backs up %Ln hidden folders you chose.</source>
        <translation>
            <numerusform>Sichert außerdem %Ln von Ihnen gewählten versteckten Ordner.</numerusform>
            <numerusform>Sichert außerdem %Ln von Ihnen gewählte versteckte Ordner.</numerusform>
        </translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Persönlicher Ordner</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>keldoran::TrayItem</name>
    <message>
        <source>Keldoran — %1</source>
        <translation>Keldoran — %1</translation>
    </message>
</context>
<context>
    <name>keldoran::Updater</name>
    <message>
        <source>This build has no update feed.</source>
        <translation>Diese Version hat keinen Update-Feed.</translation>
    </message>
    <message>
        <source>The update feed is not well-formed XML: %1</source>
        <extracomment>%1 is the XML reader&apos;s own description of the error.</extracomment>
        <translation>Der Update-Feed ist kein gültiges XML: %1</translation>
    </message>
    <message>
        <source>The update feed is not an RSS appcast.</source>
        <translation>Der Update-Feed ist kein RSS-Appcast.</translation>
    </message>
</context>
<context>
    <name>keldoran::VersionsDialog</name>
    <message>
        <source>Versions</source>
        <translation>Versionen</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Wiederherstellen…</translation>
    </message>
</context>
</TS>
