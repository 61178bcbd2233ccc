<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>BackupStallWatch</name>
    <message>
        <source>Can&apos;t reach %1 — retrying…</source>
        <translation>Impossible de joindre %1 — nouvelle tentative…</translation>
    </message>
    <message>
        <source>Can&apos;t reach %1 — the backup stopped after 30 minutes without progress.</source>
        <translation>Impossible de joindre %1 — la sauvegarde s&apos;est arrêtée après 30 minutes sans progression.</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Usage: keldoranctl %1</source>
        <translation>Utilisation&#xa0;: keldoranctl %1</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Affiche cette aide.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>your storage</source>
        <extracomment>Stands for the storage&apos;s name in “Couldn&apos;t reach %1.” when none is configured.</extracomment>
        <translation>votre stockage</translation>
    </message>
    <message>
        <source>files</source>
        <extracomment>What keldoranctl backup&apos;s progress counts: “1,204 of 5,310 files”.</extracomment>
        <translation>fichiers</translation>
    </message>
    <message>
        <source>Backs the home folder up now, with a progress bar. Ctrl-C cancels.</source>
        <translation>Sauvegarde le dossier personnel maintenant, avec une barre de progression. Ctrl-C annule.</translation>
    </message>
    <message>
        <source>backup takes no arguments.</source>
        <translation>backup ne prend aucun argument.</translation>
    </message>
    <message>
        <source>Prints what Keldoran&apos;s status window would show.</source>
        <translation>Affiche ce que montrerait la fenêtre d&apos;état de Keldoran.</translation>
    </message>
    <message>
        <source>Lists the backups in the repository, newest first.</source>
        <translation>Liste les sauvegardes du dépôt, de la plus récente à la plus ancienne.</translation>
    </message>
    <message>
        <source>ls SNAPSHOT [PATH]</source>
        <extracomment>Usage line: keep “ls”; SNAPSHOT and PATH may be translated.</extracomment>
        <translation>ls SAUVEGARDE [CHEMIN]</translation>
    </message>
    <message>
        <source>Lists one folder of a backup (the home folder unless PATH is given), folders first.</source>
        <translation>Liste un dossier d&apos;une sauvegarde (le dossier personnel si CHEMIN n&apos;est pas indiqué), dossiers en premier.</translation>
    </message>
    <message>
        <source>restore SNAPSHOT PATH... [--to DIR] [--replace]</source>
        <extracomment>Usage line: keep “restore” and the options; SNAPSHOT, PATH and DIR may be translated.</extracomment>
        <translation>restore SAUVEGARDE CHEMIN... [--to DOSSIER] [--replace]</translation>
    </message>
    <message>
        <source>Restores files and folders of one folder of a backup to where they were backed up from, or into DIR. Existing files are kept and restored ones named &quot;name (restored)&quot;, unless --replace.</source>
        <translation>Restaure des fichiers et dossiers d&apos;un même dossier d&apos;une sauvegarde à leur emplacement d&apos;origine, ou dans DOSSIER. Les fichiers existants sont conservés et les fichiers restaurés sont nommés «&#xa0;nom (restored)&#xa0;», sauf avec --replace.</translation>
    </message>
    <message>
        <source>Restore into DIR instead.</source>
        <translation>Restaure plutôt dans DOSSIER.</translation>
    </message>
    <message>
        <source>DIR</source>
        <extracomment>The value of --to in keldoranctl restore&apos;s help: a folder.</extracomment>
        <translation>DOSSIER</translation>
    </message>
    <message>
        <source>Overwrite existing files.</source>
        <translation>Écrase les fichiers existants.</translation>
    </message>
    <message>
        <source>Pauses scheduled backups for an hour, until midnight, or until resumed.</source>
        <translation>Suspend les sauvegardes planifiées pendant une heure, jusqu&apos;à minuit ou jusqu&apos;à leur reprise.</translation>
    </message>
    <message>
        <source>Resumes scheduled backups.</source>
        <translation>Reprend les sauvegardes planifiées.</translation>
    </message>
    <message>
        <source>ionos, ovhcloud or scaleway.</source>
        <extracomment>keldoranctl setup --help: ionos, ovhcloud and scaleway are typed as they are.</extracomment>
        <translation>ionos, ovhcloud ou scaleway.</translation>
    </message>
    <message>
        <source>ID</source>
        <extracomment>The value of --provider (a provider&apos;s id) and of --snapshot (a backup&apos;s id) in keldoranctl&apos;s help.</extracomment>
        <translation>ID</translation>
    </message>
    <message>
        <source>The address of other S3-compatible storage: https://host[:port].</source>
        <translation>L&apos;adresse d&apos;un autre stockage compatible S3&#xa0;: https://hôte[:port].</translation>
    </message>
    <message>
        <source>URL</source>
        <extracomment>The value of --endpoint in keldoranctl setup&apos;s help: an address.</extracomment>
        <translation>URL</translation>
    </message>
    <message>
        <source>Its region (default us-east-1).</source>
        <translation>Sa région (us-east-1 par défaut).</translation>
    </message>
    <message>
        <source>R</source>
        <extracomment>The value of --region in keldoranctl setup&apos;s help: a region.</extracomment>
        <translation>R</translation>
    </message>
    <message>
        <source>It knows buckets only in the address&apos;s path.</source>
        <translation>Il ne reconnaît les buckets que dans le chemin de l&apos;adresse.</translation>
    </message>
    <message>
        <source>The bucket&apos;s name.</source>
        <translation>Le nom du bucket.</translation>
    </message>
    <message>
        <source>NAME</source>
        <extracomment>The value of --bucket in keldoranctl setup&apos;s help: a bucket&apos;s name.</extracomment>
        <translation>NOM</translation>
    </message>
    <message>
        <source>Read the access key from F.</source>
        <translation>Lit la clé d&apos;accès dans F.</translation>
    </message>
    <message>
        <source>F</source>
        <extracomment>The value of the --…-file options in keldoranctl setup&apos;s help: a file.</extracomment>
        <translation>F</translation>
    </message>
    <message>
        <source>Read the secret key from F.</source>
        <translation>Lit la clé secrète dans F.</translation>
    </message>
    <message>
        <source>Read the backup password from F.</source>
        <translation>Lit le mot de passe de la sauvegarde dans F.</translation>
    </message>
    <message>
        <source>setup needs --bucket NAME.</source>
        <translation>setup nécessite --bucket NOM.</translation>
    </message>
    <message>
        <source>Access key: </source>
        <translation>Clé d&apos;accès&#xa0;: </translation>
    </message>
    <message>
        <source>Secret key: </source>
        <translation>Clé secrète&#xa0;: </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Mot de passe&#xa0;: </translation>
    </message>
    <message>
        <source>Confirm password: </source>
        <translation>Confirmez le mot de passe&#xa0;: </translation>
    </message>
    <message>
        <source>access key</source>
        <extracomment>Stands for %1 in “Couldn&apos;t read the %1.”</extracomment>
        <translation>la clé d&apos;accès</translation>
    </message>
    <message>
        <source>secret key</source>
        <translation>la clé secrète</translation>
    </message>
    <message>
        <source>password</source>
        <translation>le mot de passe</translation>
    </message>
    <message>
        <source>setup (--provider ID | --endpoint URL [--region R] [--path-style]) --bucket NAME [--access-key-file F] [--secret-key-file F] [--password-file F]</source>
        <extracomment>Usage line: keep “setup” and the options; ID, URL, R, NAME and F may be translated as in the options&apos; help.</extracomment>
        <translation>setup (--provider ID | --endpoint URL [--region R] [--path-style]) --bucket NOM [--access-key-file F] [--secret-key-file F] [--password-file F]</translation>
    </message>
    <message>
        <source>Connects your bucket, creates the encrypted backup (or recognises an existing one) and starts the first backup. Keys and password are asked for without echo unless given in files.</source>
        <translation>Connecte votre bucket, crée la sauvegarde chiffrée (ou reconnaît une sauvegarde existante) et lance la première sauvegarde. Les clés et le mot de passe sont demandés sans être affichés, sauf s&apos;ils sont fournis dans des fichiers.</translation>
    </message>
    <message>
        <source>Use at least 8 characters.</source>
        <translation>Utilisez au moins 8 caractères.</translation>
    </message>
    <message>
        <source>You&apos;re protected</source>
        <translation>Vos données sont protégées</translation>
    </message>
    <message>
        <source>Your first backup is starting now. Keldoran lives in the menu bar — look for the ring icon.</source>
        <translation>Votre première sauvegarde démarre. Keldoran se trouve dans la zone de notification — cherchez l&apos;icône en forme d&apos;anneau.</translation>
    </message>
    <message>
        <source>find PATTERN [--snapshot ID]</source>
        <extracomment>Usage line: keep “find” and “--snapshot”; PATTERN and ID may be translated.</extracomment>
        <translation>find MOTIF [--snapshot ID]</translation>
    </message>
    <message>
        <source>Lists the files and folders of your backups whose name contains PATTERN (ignoring case and accents): path, size, modified, and the newest backup holding it. Backups not indexed yet are indexed first.</source>
        <translation>Liste les fichiers et dossiers de vos sauvegardes dont le nom contient MOTIF (sans tenir compte de la casse ni des accents)&#xa0;: chemin, taille, date de modification et la sauvegarde la plus récente qui le contient. Les sauvegardes pas encore indexées sont d&apos;abord indexées.</translation>
    </message>
    <message>
        <source>Searches one backup.</source>
        <translation>Cherche dans une seule sauvegarde.</translation>
    </message>
    <message>
        <source>versions PATH</source>
        <extracomment>Usage line: keep “versions”; PATH may be translated.</extracomment>
        <translation>versions CHEMIN</translation>
    </message>
    <message>
        <source>Lists every different version of a file in your backups, newest first: the backup holding it, size and modified.</source>
        <translation>Liste chaque version différente d&apos;un fichier dans vos sauvegardes, de la plus récente à la plus ancienne&#xa0;: la sauvegarde qui la contient, la taille et la date de modification.</translation>
    </message>
    <message>
        <source>Unknown command “%1”.</source>
        <translation>Commande «&#xa0;%1&#xa0;» inconnue.</translation>
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
        <translation>Utilisation&#xa0;: keldoranctl COMMANDE [OPTIONS]

Commandes&#xa0;:
  setup --provider ID --bucket NOM    connecter un bucket et configurer la sauvegarde
  status                              ce que Keldoran afficherait
  backup                              sauvegarder maintenant
  snapshots                           lister les sauvegardes du dépôt
  ls SAUVEGARDE [CHEMIN]              lister un dossier d&apos;une sauvegarde
  find MOTIF [--snapshot ID]          trouver des fichiers par leur nom dans toutes les sauvegardes
  versions CHEMIN                     lister les versions d&apos;un fichier dans vos sauvegardes
  restore SAUVEGARDE CHEMIN... [--to DOSSIER] [--replace]
                                      restaurer des fichiers et dossiers d&apos;un même dossier
  pause 1h|tomorrow|indefinitely      suspendre les sauvegardes planifiées
  resume                              reprendre les sauvegardes planifiées

Lancez keldoranctl COMMANDE --help pour les options d&apos;une commande, keldoranctl --version pour cette version.</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t set up yet. Run “keldoranctl setup” first.</source>
        <translation>Keldoran n&apos;est pas encore configuré. Lancez d&apos;abord «&#xa0;keldoranctl setup&#xa0;».</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your saved credentials. Unlock your keyring and try again.</source>
        <translation>Impossible de lire vos identifiants enregistrés. Déverrouillez votre trousseau de clés et réessayez.</translation>
    </message>
    <message>
        <source>Keldoran is running. Set it up from its window, or quit it and try again.</source>
        <translation>Keldoran est ouvert. Configurez-le depuis sa fenêtre, ou quittez-le et réessayez.</translation>
    </message>
    <message>
        <source>Keldoran is running. Restore from its window, or quit it and try again.</source>
        <translation>Keldoran est ouvert. Restaurez depuis sa fenêtre, ou quittez-le et réessayez.</translation>
    </message>
    <message>
        <source>Keldoran is running but did not answer. Try again in a moment.</source>
        <translation>Keldoran est ouvert mais n&apos;a pas répondu. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>Keldoran can&apos;t read your home folder, so it can&apos;t back it up.</source>
        <translation>Keldoran ne peut pas lire votre dossier personnel, il ne peut donc pas le sauvegarder.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach %1. Check your internet connection and try again.</source>
        <translation>Impossible de joindre %1. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message>
        <source>Backup was cancelled.</source>
        <translation>La sauvegarde a été annulée.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the %1.</source>
        <extracomment>%1 is “access key”, “secret key” or “password”.</extracomment>
        <translation>Impossible de lire %1.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>Connected — bucket %1 found in %2</source>
        <extracomment>%1 is the bucket&apos;s name, %2 the city of the storage&apos;s region.</extracomment>
        <translation>Connecté — bucket %1 trouvé à %2</translation>
    </message>
    <message>
        <source>Unknown provider “%1”: use ionos, ovhcloud or scaleway, or --endpoint for other S3-compatible storage.</source>
        <extracomment>ionos, ovhcloud, scaleway and --endpoint are typed as they are: keep them.</extracomment>
        <translation>Fournisseur «&#xa0;%1&#xa0;» inconnu&#xa0;: utilisez ionos, ovhcloud ou scaleway, ou --endpoint pour un autre stockage compatible S3.</translation>
    </message>
    <message>
        <source>Use either --provider or --endpoint, not both.</source>
        <translation>Utilisez --provider ou --endpoint, pas les deux.</translation>
    </message>
    <message>
        <source>--region and --path-style go with --endpoint.</source>
        <translation>--region et --path-style s&apos;utilisent avec --endpoint.</translation>
    </message>
    <message>
        <source>“%1” is not in that folder of the backup.</source>
        <translation>«&#xa0;%1&#xa0;» ne se trouve pas dans ce dossier de la sauvegarde.</translation>
    </message>
    <message>
        <source>“%1” looks like an option, but a backup or a path belongs there.</source>
        <translation>«&#xa0;%1&#xa0;» ressemble à une option, mais une sauvegarde ou un chemin est attendu ici.</translation>
    </message>
    <message>
        <source>The paths must all be in the same folder.</source>
        <translation>Les chemins doivent tous se trouver dans le même dossier.</translation>
    </message>
    <message>
        <source>There is no backup “%1”.</source>
        <translation>La sauvegarde «&#xa0;%1&#xa0;» n&apos;existe pas.</translation>
    </message>
    <message>
        <source>Restore complete: %1</source>
        <translation>Restauration terminée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Paused until you resume.</source>
        <translation>En pause jusqu&apos;à ce que vous repreniez les sauvegardes.</translation>
    </message>
    <message>
        <source>Paused until %1.</source>
        <translation>En pause jusqu&apos;à %1.</translation>
    </message>
    <message numerus="yes">
        <source>Indexing %Ln backups…</source>
        <translation>
            <numerusform>Indexation de %Ln sauvegarde…</numerusform>
            <numerusform>Indexation de %Ln sauvegardes…</numerusform>
        </translation>
    </message>
    <message>
        <source>Couldn&apos;t index backup %1. Try again in a moment.</source>
        <translation>Impossible d&apos;indexer la sauvegarde %1. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open the index of your backups: %1</source>
        <translation>Impossible d&apos;ouvrir l&apos;index de vos sauvegardes&#xa0;: %1</translation>
    </message>
    <message>
        <source>Nothing in your backups has “%1” in its name.</source>
        <translation>Aucun élément de vos sauvegardes ne contient «&#xa0;%1&#xa0;» dans son nom.</translation>
    </message>
    <message>
        <source>“%1” is in none of your backups.</source>
        <translation>«&#xa0;%1&#xa0;» ne figure dans aucune de vos sauvegardes.</translation>
    </message>
    <message>
        <source>Protection resumed.</source>
        <translation>Protection reprise.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach %1 just now.</source>
        <translation>Impossible de joindre %1 pour le moment.</translation>
    </message>
    <message>
        <source>Backups wait until the computer is plugged in.</source>
        <translation>Les sauvegardes attendent que l&apos;ordinateur soit branché.</translation>
    </message>
    <message>
        <source>Backups wait while the connection is metered. Allow them in Preferences.</source>
        <translation>Les sauvegardes attendent tant que la connexion est limitée. Autorisez-les dans les Préférences.</translation>
    </message>
    <message>
        <source>Backups wait until the network is back.</source>
        <translation>Les sauvegardes attendent le retour du réseau.</translation>
    </message>
    <message>
        <source>Another Keldoran process is backing up.</source>
        <translation>Un autre processus Keldoran est en train de sauvegarder.</translation>
    </message>
</context>
<context>
    <name>DesktopApplication</name>
    <message>
        <source>Keldoran needs a desktop session to show its tray icon and windows. Without one, use keldoranctl; scheduled backups run from the background agent.</source>
        <translation>Keldoran a besoin d&apos;une session de bureau pour afficher son icône dans la zone de notification et ses fenêtres. Sans session de bureau, utilisez keldoranctl&#xa0;; les sauvegardes planifiées sont lancées par l&apos;agent d&apos;arrière-plan.</translation>
    </message>
</context>
<context>
    <name>ExcludeRow</name>
    <message>
        <source>Excluded in Preferences</source>
        <translation>Exclu dans les Préférences</translation>
    </message>
    <message>
        <source>Hidden folder, skipped</source>
        <translation>Dossier caché, ignoré</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Ignoré</translation>
    </message>
    <message>
        <source>%1 skipped</source>
        <translation>Sauf %1</translation>
    </message>
    <message>
        <source>Backed up</source>
        <translation>Sauvegardé</translation>
    </message>
    <message>
        <source>Partially skipped</source>
        <translation>Partiellement ignoré</translation>
    </message>
</context>
<context>
    <name>Formatters</name>
    <message>
        <source>Zero KB</source>
        <translation>0&#xa0;Ko</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1&#xa0;To</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1&#xa0;Go</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1&#xa0;Mo</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1&#xa0;Ko</translation>
    </message>
    <message numerus="yes">
        <source>%Ln years ago</source>
        <translation>
            <numerusform>il y a %Ln an</numerusform>
            <numerusform>il y a %Ln ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln years</source>
        <translation>
            <numerusform>dans %Ln an</numerusform>
            <numerusform>dans %Ln ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln months ago</source>
        <translation>
            <numerusform>il y a %Ln mois</numerusform>
            <numerusform>il y a %Ln mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln months</source>
        <translation>
            <numerusform>dans %Ln mois</numerusform>
            <numerusform>dans %Ln mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln weeks ago</source>
        <translation>
            <numerusform>il y a %Ln semaine</numerusform>
            <numerusform>il y a %Ln semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln weeks</source>
        <translation>
            <numerusform>dans %Ln semaine</numerusform>
            <numerusform>dans %Ln semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln days ago</source>
        <translation>
            <numerusform>il y a %Ln jour</numerusform>
            <numerusform>il y a %Ln jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln days</source>
        <translation>
            <numerusform>dans %Ln jour</numerusform>
            <numerusform>dans %Ln jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>il y a %Ln heure</numerusform>
            <numerusform>il y a %Ln heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln hours</source>
        <translation>
            <numerusform>dans %Ln heure</numerusform>
            <numerusform>dans %Ln heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>il y a %Ln minute</numerusform>
            <numerusform>il y a %Ln minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln minutes</source>
        <translation>
            <numerusform>dans %Ln minute</numerusform>
            <numerusform>dans %Ln minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>il y a %Ln seconde</numerusform>
            <numerusform>il y a %Ln secondes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln seconds</source>
        <translation>
            <numerusform>dans %Ln seconde</numerusform>
            <numerusform>dans %Ln secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>dans %1 min</translation>
    </message>
    <message>
        <source>in %1 h</source>
        <translation>dans %1 h</translation>
    </message>
    <message>
        <source>less than a minute left</source>
        <translation>moins d&apos;une minute restante</translation>
    </message>
    <message numerus="yes">
        <source>about %Ln minutes left</source>
        <translation>
            <numerusform>environ %Ln minute restante</numerusform>
            <numerusform>environ %Ln minutes restantes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln hours left</source>
        <translation>
            <numerusform>environ %Ln heure restante</numerusform>
            <numerusform>environ %Ln heures restantes</numerusform>
        </translation>
    </message>
    <message>
        <source>Today, %1</source>
        <translation>Aujourd&apos;hui, %1</translation>
    </message>
    <message>
        <source>Yesterday, %1</source>
        <translation>Hier, %1</translation>
    </message>
    <message>
        <source>yesterday</source>
        <translation>hier</translation>
    </message>
</context>
<context>
    <name>InstancePaths</name>
    <message>
        <source>Keldoran&apos;s private folder %1 is not safe to use: it must be a folder of yours that no one else can open. Remove it, or set XDG_RUNTIME_DIR, and try again.</source>
        <translation>Le dossier privé de Keldoran %1 n&apos;est pas sûr&#xa0;: il doit vous appartenir et personne d&apos;autre ne doit pouvoir l&apos;ouvrir. Supprimez-le, ou définissez XDG_RUNTIME_DIR, puis réessayez.</translation>
    </message>
</context>
<context>
    <name>KeepBothMerge</name>
    <message>
        <source>Couldn&apos;t open the folder “%1”: %2.</source>
        <translation>Impossible d&apos;ouvrir le dossier «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Couldn&apos;t make a folder to restore into: %1.</source>
        <translation>Impossible de créer un dossier où restaurer&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the restored files: %1.</source>
        <translation>Impossible de lire les fichiers restaurés&#xa0;: %1.</translation>
    </message>
</context>
<context>
    <name>KeychainError</name>
    <message>
        <source>The keyring answered with status %1: %2</source>
        <translation>Le trousseau de clés a répondu avec le statut %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>KeyringSecretStore</name>
    <message>
        <source>The keyring is locked.</source>
        <translation>Le trousseau de clés est verrouillé.</translation>
    </message>
    <message>
        <source>No Secret Service is running on this session.</source>
        <translation>Aucun Secret Service n&apos;est actif dans cette session.</translation>
    </message>
    <message>
        <source>The keyring has no default collection.</source>
        <translation>Le trousseau de clés n&apos;a pas de collection par défaut.</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>French cloud provider. Storage in France, Germany or Poland.</source>
        <translation>Fournisseur cloud français. Stockage en France, en Allemagne ou en Pologne.</translation>
    </message>
    <message>
        <source>French cloud provider. Storage in Paris, Amsterdam or Warsaw.</source>
        <translation>Fournisseur cloud français. Stockage à Paris, Amsterdam ou Varsovie.</translation>
    </message>
    <message>
        <source>German hosting company. Storage in Berlin, Frankfurt or Logroño.</source>
        <translation>Hébergeur allemand. Stockage à Berlin, Francfort ou Logroño.</translation>
    </message>
    <message>
        <source>Any storage that speaks S3, at the address you give.</source>
        <translation>Tout stockage compatible S3, à l&apos;adresse que vous indiquez.</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>%1 of %2 %3</source>
        <extracomment>Progress of keldoranctl: %1 done of %2 in all, %3 what is counted (“files”).</extracomment>
        <translation>%1 sur %2 %3</translation>
    </message>
    <message numerus="yes">
        <source>about %Ln min left</source>
        <translation>
            <numerusform>environ %Ln min restante</numerusform>
            <numerusform>environ %Ln min restantes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln s left</source>
        <translation>
            <numerusform>environ %Ln s restante</numerusform>
            <numerusform>environ %Ln s restantes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProtectionMessages</name>
    <message>
        <source>A backup started by the background agent is running.</source>
        <translation>Une sauvegarde lancée par l&apos;agent d&apos;arrière-plan est en cours.</translation>
    </message>
    <message>
        <source>A backup started by keldoranctl is running.</source>
        <translation>Une sauvegarde lancée par keldoranctl est en cours.</translation>
    </message>
    <message>
        <source>A backup started by Keldoran is running.</source>
        <translation>Une sauvegarde lancée par Keldoran est en cours.</translation>
    </message>
</context>
<context>
    <name>Registration</name>
    <message>
        <source>systemd did not enable the timer (status: %1)</source>
        <translation>systemd n&apos;a pas activé le minuteur (statut&#xa0;: %1)</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>Couldn&apos;t read your saved credentials. Unlock your keyring and try again.</source>
        <translation>Impossible de lire vos identifiants enregistrés. Déverrouillez votre trousseau de clés et réessayez.</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t set up yet. Run “keldoranctl setup” first.</source>
        <translation>Keldoran n&apos;est pas encore configuré. Lancez d&apos;abord «&#xa0;keldoranctl setup&#xa0;».</translation>
    </message>
    <message>
        <source>Unknown command.</source>
        <translation>Commande inconnue.</translation>
    </message>
    <message>
        <source>Keldoran is running and already backing up.</source>
        <translation>Keldoran est ouvert et sauvegarde déjà.</translation>
    </message>
    <message>
        <source>Keldoran is running; it has started a backup.</source>
        <translation>Keldoran est ouvert&#xa0;; il a lancé une sauvegarde.</translation>
    </message>
    <message>
        <source>Unknown pause.</source>
        <translation>Durée de pause inconnue.</translation>
    </message>
    <message>
        <source>Paused until %1.</source>
        <translation>En pause jusqu&apos;à %1.</translation>
    </message>
    <message>
        <source>Paused until you resume.</source>
        <translation>En pause jusqu&apos;à ce que vous repreniez les sauvegardes.</translation>
    </message>
    <message>
        <source>Protection resumed.</source>
        <translation>Protection reprise.</translation>
    </message>
</context>
<context>
    <name>ResticError</name>
    <message>
        <source>restic stopped unexpectedly (signal %1).</source>
        <translation>restic s&apos;est arrêté de façon inattendue (signal %1).</translation>
    </message>
    <message>
        <source>The backup repository could not be found.</source>
        <translation>Le dépôt de sauvegarde est introuvable.</translation>
    </message>
    <message>
        <source>Repository is locked by another process.</source>
        <translation>Le dépôt est verrouillé par un autre processus.</translation>
    </message>
    <message>
        <source>Repository password is incorrect.</source>
        <translation>Le mot de passe du dépôt est incorrect.</translation>
    </message>
    <message>
        <source>restic could not be launched: %1</source>
        <translation>Impossible de lancer restic&#xa0;: %1</translation>
    </message>
    <message>
        <source>restic exited with code %1: %2</source>
        <translation>restic s&apos;est terminé avec le code %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Unexpected restic output: %1</source>
        <translation>Sortie inattendue de restic&#xa0;: %1</translation>
    </message>
    <message>
        <source>The restic executable was not found in the application bundle.</source>
        <translation>L&apos;exécutable restic est introuvable dans l&apos;application.</translation>
    </message>
    <message>
        <source>Backup could not be started.</source>
        <translation>La sauvegarde n&apos;a pas pu démarrer.</translation>
    </message>
    <message>
        <source>Backup failed.</source>
        <translation>Échec de la sauvegarde.</translation>
    </message>
    <message>
        <source>The restic executable is missing from the app.</source>
        <translation>L&apos;exécutable restic manque dans l&apos;application.</translation>
    </message>
    <message>
        <source>Backup destination could not be found.</source>
        <translation>La destination de la sauvegarde est introuvable.</translation>
    </message>
    <message>
        <source>Backup was cancelled.</source>
        <translation>La sauvegarde a été annulée.</translation>
    </message>
    <message>
        <source>Restore could not be started.</source>
        <translation>La restauration n&apos;a pas pu démarrer.</translation>
    </message>
    <message>
        <source>Restore was cancelled.</source>
        <translation>La restauration a été annulée.</translation>
    </message>
    <message>
        <source>Restore failed.</source>
        <translation>Échec de la restauration.</translation>
    </message>
    <message>
        <source>The backups could not be read.</source>
        <translation>Les sauvegardes n&apos;ont pas pu être lues.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
    <message>
        <source>restic listed an entry that could not be read.</source>
        <translation>restic a fourni une entrée illisible.</translation>
    </message>
    <message>
        <source>The operation was cancelled.</source>
        <translation>L’opération a été annulée.</translation>
    </message>
</context>
<context>
    <name>ResticProcess</name>
    <message>
        <source>an answer larger than %1 MiB</source>
        <translation>une réponse de plus de %1&#xa0;Mio</translation>
    </message>
</context>
<context>
    <name>RestoreMessages</name>
    <message numerus="yes">
        <source>%1 and %Ln more</source>
        <translation>
            <numerusform>%1 et %Ln autre</numerusform>
            <numerusform>%1 et %Ln autres</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>your home folder</source>
        <translation>votre dossier personnel</translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing folders were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln dossier existant a été conservé&#xa0;; la copie restaurée s&apos;appelle %1.</numerusform>
            <numerusform>%Ln dossiers existants ont été conservés&#xa0;; les copies restaurées s&apos;appellent %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing files were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln fichier existant a été conservé&#xa0;; la copie restaurée s&apos;appelle %1.</numerusform>
            <numerusform>%Ln fichiers existants ont été conservés&#xa0;; les copies restaurées s&apos;appellent %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing items were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln élément existant a été conservé&#xa0;; la copie restaurée s&apos;appelle %1.</numerusform>
            <numerusform>%Ln éléments existants ont été conservés&#xa0;; les copies restaurées s&apos;appellent %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %Ln items to %1.</source>
        <translation>
            <numerusform>%Ln élément restauré dans %1.</numerusform>
            <numerusform>%Ln éléments restaurés dans %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Everything else was restored to %1.</source>
        <translation>Tout le reste a été restauré dans %1.</translation>
    </message>
    <message>
        <source>“%1” couldn&apos;t be placed in the destination (%2).</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas pu être placé dans la destination (%2).</translation>
    </message>
    <message numerus="yes">
        <source>%Ln more items couldn&apos;t be placed.</source>
        <translation>
            <numerusform>%Ln autre élément n&apos;a pas pu être placé.</numerusform>
            <numerusform>%Ln autres éléments n&apos;ont pas pu être placés.</numerusform>
        </translation>
    </message>
    <message>
        <source>This folder of the backup couldn&apos;t be read. %1</source>
        <translation>Ce dossier de la sauvegarde n&apos;a pas pu être lu. %1</translation>
    </message>
    <message numerus="yes">
        <source>%Ln selected items are hidden by the search</source>
        <translation>
            <numerusform>%Ln élément sélectionné est masqué par la recherche</numerusform>
            <numerusform>%Ln éléments sélectionnés sont masqués par la recherche</numerusform>
        </translation>
    </message>
    <message>
        <source>“%1” has a name that isn&apos;t valid text, so Replace could also overwrite a file with a similar name. Restore it with Keep both.</source>
        <translation>Le nom de «&#xa0;%1&#xa0;» n&apos;est pas un texte valide&#xa0;: «&#xa0;Remplacer&#xa0;» pourrait aussi écraser un fichier au nom similaire. Restaurez-le avec «&#xa0;Garder les deux&#xa0;».</translation>
    </message>
    <message numerus="yes">
        <source>%Ln items selected</source>
        <translation>
            <numerusform>%Ln élément sélectionné</numerusform>
            <numerusform>%Ln éléments sélectionnés</numerusform>
        </translation>
    </message>
    <message>
        <source>Indexing this backup…</source>
        <translation>Indexation de cette sauvegarde…</translation>
    </message>
    <message>
        <source>Indexing this backup… %1%</source>
        <translation>Indexation de cette sauvegarde… %1&#xa0;%</translation>
    </message>
    <message numerus="yes">
        <source>Found in %Ln other folders</source>
        <translation>
            <numerusform>Trouvé dans %Ln autre dossier</numerusform>
            <numerusform>Trouvé dans %Ln autres dossiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Dossier personnel</translation>
    </message>
    <message>
        <source>%1 — in %2</source>
        <translation>%1 — dans %2</translation>
    </message>
    <message>
        <source>Versions of %1</source>
        <translation>Versions de %1</translation>
    </message>
    <message>
        <source>%1 — %2, modified %3</source>
        <translation>%1 — %2, modifié&#xa0;: %3</translation>
    </message>
</context>
<context>
    <name>RestoreOutcome</name>
    <message>
        <source>Restore complete</source>
        <translation>Restauration terminée</translation>
    </message>
    <message>
        <source>Restore incomplete</source>
        <translation>Restauration incomplète</translation>
    </message>
    <message>
        <source>Restore failed</source>
        <translation>Échec de la restauration</translation>
    </message>
</context>
<context>
    <name>RestoreProblem</name>
    <message>
        <source>The destination is full.</source>
        <translation>La destination est pleine.</translation>
    </message>
    <message>
        <source>“%1” is a folder in the destination but a file in the backup.</source>
        <translation>«&#xa0;%1&#xa0;» est un dossier dans la destination mais un fichier dans la sauvegarde.</translation>
    </message>
    <message>
        <source>“%1” is damaged in the backup.</source>
        <translation>«&#xa0;%1&#xa0;» est endommagé dans la sauvegarde.</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t allowed to write “%1”.</source>
        <translation>Keldoran n&apos;a pas le droit d&apos;écrire «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>An item couldn&apos;t be restored.</source>
        <translation>Un élément n&apos;a pas pu être restauré.</translation>
    </message>
    <message>
        <source>“%1” couldn&apos;t be restored.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas pu être restauré.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln more items couldn&apos;t be restored.</source>
        <translation>
            <numerusform>%Ln autre élément n&apos;a pas pu être restauré.</numerusform>
            <numerusform>%Ln autres éléments n&apos;ont pas pu être restaurés.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SetupMessages</name>
    <message>
        <source>This bucket already holds a backup protected by a different password. Enter the password that backup was created with.</source>
        <translation>Ce bucket contient déjà une sauvegarde protégée par un autre mot de passe. Saisissez le mot de passe avec lequel cette sauvegarde a été créée.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach your storage. Check its address and your internet connection, then try again.</source>
        <translation>Impossible de joindre votre stockage. Vérifiez son adresse et votre connexion Internet, puis réessayez.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach Scaleway. Check your internet connection and try again.</source>
        <translation>Impossible de joindre Scaleway. Vérifiez votre connexion Internet et réessayez.</translation>
    </message>
    <message>
        <source>Those keys were rejected. Double-check the access key and secret key, then try again.</source>
        <translation>Ces clés ont été refusées. Vérifiez la clé d&apos;accès et la clé secrète, puis réessayez.</translation>
    </message>
    <message>
        <source>That bucket is in a different region than expected. Check the bucket name, then try again.</source>
        <translation>Ce bucket se trouve dans une autre région que prévu. Vérifiez le nom du bucket, puis réessayez.</translation>
    </message>
    <message>
        <source>Couldn&apos;t find that bucket. Check the bucket name, then try again.</source>
        <translation>Bucket introuvable. Vérifiez le nom du bucket, puis réessayez.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the bucket. Check your keys and bucket name, then try again.</source>
        <translation>Impossible d&apos;accéder au bucket. Vérifiez vos clés et le nom du bucket, puis réessayez.</translation>
    </message>
    <message>
        <source>Bucket names use 3–63 lowercase letters, digits, dots and hyphens, and begin and end with a letter or digit.</source>
        <translation>Un nom de bucket compte de 3 à 63 lettres minuscules, chiffres, points et tirets, et commence et se termine par une lettre ou un chiffre.</translation>
    </message>
    <message>
        <source>Keldoran&apos;s storage settings can&apos;t be read. Set up the storage again to go on backing up.</source>
        <translation>Les réglages de stockage de Keldoran sont illisibles. Configurez à nouveau le stockage pour continuer les sauvegardes.</translation>
    </message>
    <message>
        <source>There&apos;s no bucket named %1 in %2. Create it on your provider&apos;s page, or check the name.</source>
        <translation>Il n&apos;y a pas de bucket nommé %1 à %2. Créez-le sur la page de votre fournisseur, ou vérifiez le nom.</translation>
    </message>
    <message>
        <source>There&apos;s no backup set up yet to use these keys with.</source>
        <translation>Aucune sauvegarde n&apos;est encore configurée pour utiliser ces clés.</translation>
    </message>
    <message>
        <source>These keys don&apos;t reach your backup. Use keys of the account that holds its bucket.</source>
        <translation>Ces clés ne donnent pas accès à votre sauvegarde. Utilisez les clés du compte auquel appartient son bucket.</translation>
    </message>
    <message>
        <source>Couldn&apos;t determine your bucket&apos;s region. Check the bucket name, then try again.</source>
        <translation>Impossible de déterminer la région de votre bucket. Vérifiez le nom du bucket, puis réessayez.</translation>
    </message>
    <message>
        <source>Enter your storage&apos;s address, such as https://s3.example.com.</source>
        <translation>Saisissez l&apos;adresse de votre stockage, par exemple https://s3.example.com.</translation>
    </message>
    <message>
        <source>That isn&apos;t a storage address. Enter it as https://s3.example.com, with a port if it needs one.</source>
        <translation>Ce n&apos;est pas une adresse de stockage. Saisissez-la sous la forme https://s3.example.com, avec un port si nécessaire.</translation>
    </message>
    <message>
        <source>Enter the storage&apos;s address without a bucket or folder; the bucket has its own field.</source>
        <translation>Saisissez l&apos;adresse du stockage sans bucket ni dossier&#xa0;; le bucket a son propre champ.</translation>
    </message>
    <message>
        <source>Keldoran connects to storage only over https, except to a server on this computer.</source>
        <translation>Keldoran ne se connecte au stockage qu&apos;en https, sauf vers un serveur sur cet ordinateur.</translation>
    </message>
    <message>
        <source>A region is made of letters, digits and hyphens, such as us-east-1.</source>
        <translation>Une région se compose de lettres, de chiffres et de tirets, par exemple us-east-1.</translation>
    </message>
</context>
<context>
    <name>StatusActivity</name>
    <message>
        <source>Protected</source>
        <translation>Protégé</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files · source data</source>
        <translation>
            <numerusform>%Ln fichier · données source</numerusform>
            <numerusform>%Ln fichiers · données source</numerusform>
        </translation>
    </message>
    <message>
        <source>stored after deduplication</source>
        <translation>après déduplication</translation>
    </message>
    <message>
        <source> · about %1 a month</source>
        <translation> · environ %1 par mois</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Stockage</translation>
    </message>
    <message>
        <source>Data change</source>
        <translation>Évolution</translation>
    </message>
    <message>
        <source>added by the last backup</source>
        <translation>ajout de la dernière sauvegarde</translation>
    </message>
    <message>
        <source>Last restore, %1: %2</source>
        <translation>Dernière restauration (%1)&#xa0;: %2</translation>
    </message>
    <message>
        <source>Recent backups</source>
        <translation>Sauvegardes récentes</translation>
    </message>
    <message numerus="yes">
        <source>Backed up with %Ln exclusions</source>
        <translation>
            <numerusform>Sauvegardé avec %Ln exclusion</numerusform>
            <numerusform>Sauvegardé avec %Ln exclusions</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, with warnings</source>
        <translation>%1, avec avertissements</translation>
    </message>
</context>
<context>
    <name>StatusPresentation</name>
    <message numerus="yes">
        <source>%1 of %Ln files</source>
        <translation>
            <numerusform>%1 sur %Ln fichier</numerusform>
            <numerusform>%1 sur %Ln fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>%1% complete</source>
        <translation>%1&#xa0;% terminé</translation>
    </message>
    <message>
        <source>Your Mac&apos;s Keychain may still be locked — try Retry, or unlock it and try again.</source>
        <translation>Votre trousseau de clés est peut-être encore verrouillé — essayez «&#xa0;Réessayer&#xa0;», ou déverrouillez-le puis réessayez.</translation>
    </message>
    <message>
        <source>Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups are paused until it&apos;s granted.</source>
        <translation>Keldoran ne peut pas lire votre dossier personnel. Les sauvegardes sont en pause jusqu&apos;à ce qu&apos;il le puisse.</translation>
    </message>
    <message>
        <source>Resumes %1</source>
        <translation>Reprise %1</translation>
    </message>
    <message>
        <source>Resume to continue protection</source>
        <translation>Reprenez pour poursuivre la protection</translation>
    </message>
    <message>
        <source>Will resume automatically</source>
        <translation>Reprendra automatiquement</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Set Up Keldoran</source>
        <translation>Configurer Keldoran</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Open System Settings</source>
        <translation>Vérifier à nouveau</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Waiting for network</source>
        <translation>En attente du réseau</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>Sauvegarder maintenant</translation>
    </message>
    <message numerus="yes">
        <source>Completed with %Ln warnings</source>
        <translation>
            <numerusform>Terminé avec %Ln avertissement</numerusform>
            <numerusform>Terminé avec %Ln avertissements</numerusform>
        </translation>
    </message>
    <message>
        <source>Backing up…</source>
        <translation>Sauvegarde en cours…</translation>
    </message>
    <message>
        <source>Last backup failed</source>
        <translation>Échec de la dernière sauvegarde</translation>
    </message>
    <message>
        <source>Set up Keldoran</source>
        <translation>Configurer Keldoran</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your saved credentials</source>
        <translation>Impossible de lire vos identifiants enregistrés</translation>
    </message>
    <message>
        <source>Full Disk Access needed</source>
        <translation>Accès au dossier personnel requis</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Protégé</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pause</translation>
    </message>
    <message>
        <source>Backed up %1</source>
        <translation>Dernière sauvegarde %1</translation>
    </message>
    <message>
        <source>Not backed up yet</source>
        <translation>Pas encore de sauvegarde</translation>
    </message>
    <message>
        <source>macOS blocked access to a file.</source>
        <translation>Le système a bloqué l&apos;accès à un fichier.</translation>
    </message>
    <message>
        <source>A file couldn&apos;t be read (no permission).</source>
        <translation>Un fichier n&apos;a pas pu être lu (accès refusé).</translation>
    </message>
    <message>
        <source>A file changed or was removed while backing up.</source>
        <translation>Un fichier a été modifié ou supprimé pendant la sauvegarde.</translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be backed up.</source>
        <translation>Certains fichiers n&apos;ont pas pu être sauvegardés.</translation>
    </message>
    <message>
        <source>macOS blocked access to %1.</source>
        <translation>Le système a bloqué l&apos;accès à %1.</translation>
    </message>
    <message>
        <source>No permission to read %1.</source>
        <translation>Pas d&apos;autorisation de lecture pour %1.</translation>
    </message>
    <message>
        <source>%1 changed or was removed while backing up.</source>
        <translation>%1 a été modifié ou supprimé pendant la sauvegarde.</translation>
    </message>
    <message>
        <source>%1 couldn&apos;t be backed up.</source>
        <translation>%1 n&apos;a pas pu être sauvegardé.</translation>
    </message>
    <message>
        <source>Last backup didn&apos;t finish</source>
        <translation>Dernière sauvegarde inachevée</translation>
    </message>
    <message>
        <source>It continues where it left off. %1.</source>
        <translation>Elle reprendra là où elle s&apos;est arrêtée. %1.</translation>
    </message>
    <message>
        <source>Background backups aren&apos;t set up (%1). Backups run only while Keldoran is open.</source>
        <translation>Les sauvegardes en arrière-plan ne sont pas configurées (%1). Les sauvegardes n&apos;ont lieu que lorsque Keldoran est ouvert.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Next backup %1</source>
        <translation>Prochaine sauvegarde %1</translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>et %Ln autre</numerusform>
            <numerusform>et %Ln autres</numerusform>
        </translation>
    </message>
    <message>
        <source>Full Disk Access is on, yet macOS still blocked these. In System Settings › Privacy &amp; Security › Full Disk Access, remove Keldoran, add it again, then relaunch.</source>
        <translation>Le système a bloqué ces fichiers bien que Keldoran puisse lire votre dossier personnel. Vérifiez leurs permissions, leurs étiquettes de sécurité ou les options de montage.</translation>
    </message>
    <message>
        <source>Keldoran needs Full Disk Access in System Settings › Privacy &amp; Security to read these.</source>
        <translation>Keldoran ne peut pas lire votre dossier personnel&#xa0;; donnez-lui l&apos;accès pour lire ces fichiers.</translation>
    </message>
    <message>
        <source>These files&apos; owner or permissions prevent reading them — Full Disk Access doesn&apos;t change that.</source>
        <translation>Le propriétaire ou les permissions de ces fichiers empêchent de les lire.</translation>
    </message>
    <message>
        <source>Data integrity verified</source>
        <translation>Intégrité des données vérifiée</translation>
    </message>
    <message>
        <source>Check overdue</source>
        <translation>Vérification en retard</translation>
    </message>
    <message>
        <source>Check failed</source>
        <translation>Échec de la vérification</translation>
    </message>
    <message>
        <source>Damaged data was found in the backup. Don&apos;t delete snapshots — check the repository.</source>
        <translation>Des données endommagées ont été trouvées dans la sauvegarde. Ne supprimez aucun instantané — vérifiez le dépôt.</translation>
    </message>
    <message>
        <source>The backup storage couldn&apos;t be reached for checking.</source>
        <translation>Le stockage des sauvegardes était injoignable pour la vérification.</translation>
    </message>
    <message>
        <source>The last check didn&apos;t complete. It will retry on schedule.</source>
        <translation>La dernière vérification n&apos;a pas abouti. Elle sera relancée comme prévu.</translation>
    </message>
    <message>
        <source>Protected: %1</source>
        <translation>Données protégées&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files · source data</source>
        <translation>
            <numerusform>%Ln fichier · données source</numerusform>
            <numerusform>%Ln fichiers · données source</numerusform>
        </translation>
    </message>
    <message>
        <source>Storage: %1 stored after deduplication</source>
        <translation>Stockage&#xa0;: %1 après déduplication</translation>
    </message>
    <message>
        <source>, about %1 a month</source>
        <translation>, environ %1 par mois</translation>
    </message>
</context>
<context>
    <name>StatusWords</name>
    <message>
        <source>Keldoran status</source>
        <translation>État de Keldoran</translation>
    </message>
    <message>
        <source>Backup progress</source>
        <translation>Progression de la sauvegarde</translation>
    </message>
    <message>
        <source>Set up background backups again</source>
        <translation>Réactiver les sauvegardes en arrière-plan</translation>
    </message>
    <message>
        <source>Hide details</source>
        <translation>Masquer les détails</translation>
    </message>
    <message>
        <source>View details</source>
        <translation>Voir les détails</translation>
    </message>
    <message>
        <source>Hide activity</source>
        <translation>Masquer l&apos;activité</translation>
    </message>
    <message>
        <source>Show activity</source>
        <translation>Afficher l&apos;activité</translation>
    </message>
</context>
<context>
    <name>StorageCatalogue</name>
    <message>
        <source>Other S3-compatible storage</source>
        <translation>Autre stockage compatible S3</translation>
    </message>
    <message>
        <source>Berlin, Germany</source>
        <translation>Berlin, Allemagne</translation>
    </message>
    <message>
        <source>Frankfurt, Germany</source>
        <translation>Francfort, Allemagne</translation>
    </message>
    <message>
        <source>Logroño, Spain</source>
        <translation>Logroño, Espagne</translation>
    </message>
    <message>
        <source>Gravelines, France</source>
        <translation>Gravelines, France</translation>
    </message>
    <message>
        <source>Strasbourg, France</source>
        <translation>Strasbourg, France</translation>
    </message>
    <message>
        <source>Roubaix, France</source>
        <translation>Roubaix, France</translation>
    </message>
    <message>
        <source>Warsaw, Poland</source>
        <translation>Varsovie, Pologne</translation>
    </message>
    <message>
        <source>Paris, France</source>
        <translation>Paris, France</translation>
    </message>
    <message>
        <source>Amsterdam, Netherlands</source>
        <translation>Amsterdam, Pays-Bas</translation>
    </message>
</context>
<context>
    <name>XdgServiceRegistration</name>
    <message>
        <source>Couldn&apos;t write %1: %2</source>
        <translation>Impossible d&apos;écrire %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>keldoran::AppActions</name>
    <message>
        <source>Back up now</source>
        <translation>Sauvegarder maintenant</translation>
    </message>
    <message>
        <source>Pause protection…</source>
        <translation>Suspendre la protection…</translation>
    </message>
    <message>
        <source>Resume protection</source>
        <translation>Reprendre la protection</translation>
    </message>
    <message>
        <source>Restore files…</source>
        <translation>Restaurer des fichiers…</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>Préférences…</translation>
    </message>
    <message>
        <source>Check for updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>Quit Keldoran</source>
        <translation>Quitter Keldoran</translation>
    </message>
    <message>
        <source>For 1 hour</source>
        <translation>Pendant 1 heure</translation>
    </message>
    <message>
        <source>Until tomorrow</source>
        <translation>Jusqu&apos;à demain</translation>
    </message>
    <message>
        <source>Indefinitely</source>
        <translation>Indéfiniment</translation>
    </message>
</context>
<context>
    <name>keldoran::BackupController</name>
    <message>
        <source>Stopping…</source>
        <translation>Arrêt…</translation>
    </message>
    <message>
        <source>Keldoran isn&apos;t set up yet.</source>
        <translation>Keldoran n&apos;est pas encore configuré.</translation>
    </message>
    <message>
        <source>the storage</source>
        <translation>le stockage</translation>
    </message>
</context>
<context>
    <name>keldoran::BackupScope</name>
    <message>
        <source>Home</source>
        <translation>Dossier personnel</translation>
    </message>
</context>
<context>
    <name>keldoran::ChangeKeysSheet</name>
    <message>
        <source>Change keys</source>
        <translation>Changer les clés</translation>
    </message>
    <message>
        <source>Keldoran checks the new keys against your backup, and keeps the old ones until they work.</source>
        <translation>Keldoran vérifie les nouvelles clés auprès de votre sauvegarde et garde les anciennes tant que les nouvelles ne fonctionnent pas.</translation>
    </message>
    <message>
        <source>Access key</source>
        <translation>Clé d&apos;accès</translation>
    </message>
    <message>
        <source>Secret key</source>
        <translation>Clé secrète</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Check and save</source>
        <translation>Vérifier et enregistrer</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
</context>
<context>
    <name>keldoran::DesktopShell</name>
    <message>
        <source>Keldoran is up to date.</source>
        <translation>Keldoran est à jour.</translation>
    </message>
    <message>
        <source>Couldn&apos;t check for updates. %1</source>
        <extracomment>%1 says why, in a sentence of its own.</extracomment>
        <translation>Impossible de rechercher les mises à jour. %1</translation>
    </message>
    <message>
        <source>Keldoran %1 is available.</source>
        <translation>Keldoran %1 est disponible.</translation>
    </message>
    <message>
        <source>You have %1. The download page opens in your browser.</source>
        <extracomment>%1 is the version of Keldoran that runs now.</extracomment>
        <translation>Vous avez la version %1. La page de téléchargement s&apos;ouvrira dans votre navigateur.</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Plus tard</translation>
    </message>
</context>
<context>
    <name>keldoran::DestinationSheet</name>
    <message>
        <source>Choose</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message numerus="yes">
        <source>Restore %Ln items</source>
        <translation>
            <numerusform>Restaurer %Ln élément</numerusform>
            <numerusform>Restaurer %Ln éléments</numerusform>
        </translation>
    </message>
    <message>
        <source>Restore to</source>
        <translation>Restaurer vers</translation>
    </message>
    <message>
        <source>Original location</source>
        <translation>Emplacement d&apos;origine</translation>
    </message>
    <message>
        <source>Another folder…</source>
        <translation>Autre dossier…</translation>
    </message>
    <message>
        <source>If a file already exists there</source>
        <translation>Si un fichier existe déjà</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Garder les deux</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>From the snapshot taken today at %1</source>
        <translation>Instantané d&apos;aujourd&apos;hui à %1</translation>
    </message>
    <message>
        <source>From the snapshot taken yesterday at %1</source>
        <translation>Instantané d&apos;hier à %1</translation>
    </message>
    <message>
        <source>From the snapshot taken %1 at %2</source>
        <translation>Instantané du %1 à %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %Ln more</source>
        <translation>
            <numerusform>%1 et %Ln autre</numerusform>
            <numerusform>%1 et %Ln autres</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Changer…</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Keeping both restores as name (restored).ext — your current files stay untouched.</source>
        <translation>Les copies restaurées seront nommées nom (restored).ext — vos fichiers actuels restent intacts.</translation>
    </message>
    <message>
        <source>Replace overwrites the current files at the destination.</source>
        <translation>Les fichiers actuels à la destination seront écrasés.</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <comment>date format of QLocale</comment>
        <translation>d MMM yyyy</translation>
    </message>
</context>
<context>
    <name>keldoran::IndexPanel</name>
    <message>
        <source>Matches in other folders</source>
        <translation>Résultats dans d&apos;autres dossiers</translation>
    </message>
</context>
<context>
    <name>keldoran::NotificationPolicy</name>
    <message>
        <source>Backup failed</source>
        <translation>Échec de la sauvegarde</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Couldn&apos;t read your saved credentials</source>
        <translation>Impossible de lire vos identifiants enregistrés</translation>
    </message>
    <message>
        <source>Your Mac&apos;s Keychain may still be locked — try Retry, or unlock it and try again.</source>
        <extracomment>On Linux this reads “Your keyring may still be locked — try Retry, or unlock it and try again.”: translate that meaning. “Retry” is the notification&apos;s button.</extracomment>
        <translation>Votre trousseau de clés est peut-être encore verrouillé — essayez «&#xa0;Réessayer&#xa0;», ou déverrouillez-le puis réessayez.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Full Disk Access needed</source>
        <extracomment>On Linux this reads “Home folder access needed”: translate that meaning.</extracomment>
        <translation>Accès au dossier personnel requis</translation>
    </message>
    <message>
        <source>Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups are paused until it&apos;s granted.</source>
        <extracomment>On Linux this reads “Keldoran can&apos;t read your home folder. Backups are paused until it can.”: translate that meaning.</extracomment>
        <translation>Keldoran ne peut pas lire votre dossier personnel. Les sauvegardes sont suspendues jusqu&apos;à ce qu&apos;il y ait accès.</translation>
    </message>
    <message>
        <source>Backups are overdue</source>
        <translation>Sauvegardes en retard</translation>
    </message>
    <message>
        <source>Keldoran last backed up %1. It will try again when it can.</source>
        <extracomment>%1 is when, as “3 days ago”.</extracomment>
        <translation>Dernière sauvegarde&#xa0;: %1. Keldoran réessaiera dès que possible.</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>Sauvegarder maintenant</translation>
    </message>
</context>
<context>
    <name>keldoran::OnboardingModel</name>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>That password doesn&apos;t open this backup.</source>
        <translation>Ce mot de passe n&apos;ouvre pas cette sauvegarde.</translation>
    </message>
    <message>
        <source>Use at least 8 characters.</source>
        <translation>Utilisez au moins 8 caractères.</translation>
    </message>
    <message>
        <source>Passwords don&apos;t match.</source>
        <translation>Les mots de passe ne correspondent pas.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the bucket.</source>
        <translation>Impossible de joindre le bucket.</translation>
    </message>
</context>
<context>
    <name>keldoran::OnboardingWindow</name>
    <message>
        <source>Set up Keldoran</source>
        <translation>Configurer Keldoran</translation>
    </message>
    <message>
        <source>Setup progress</source>
        <translation>Progression de la configuration</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Welcome to Keldoran</source>
        <translation>Bienvenue dans Keldoran</translation>
    </message>
    <message>
        <source>Encrypted backups to European storage you own. Set up once — then never think about it again.</source>
        <translation>Des sauvegardes chiffrées vers un stockage européen qui vous appartient. Configurez une fois, puis n&apos;y pensez plus.</translation>
    </message>
    <message>
        <source>Allow Keldoran to see your files</source>
        <translation>Autorisez Keldoran à voir vos fichiers</translation>
    </message>
    <message>
        <source>macOS keeps your files behind Full Disk Access. Keldoran needs it — for the app and its background helper — so it can protect everything, not just some folders.</source>
        <translation>Keldoran lit tout votre dossier personnel pour tout protéger, pas seulement certains dossiers.</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Vérifier à nouveau</translation>
    </message>
    <message>
        <source>Access granted</source>
        <translation>Accès accordé</translation>
    </message>
    <message>
        <source>Choose where your backups live</source>
        <translation>Choisissez où stocker vos sauvegardes</translation>
    </message>
    <message>
        <source>Every option is a European provider. The bucket is yours, and you pay the provider directly — Keldoran never sees your data.</source>
        <translation>Tous les fournisseurs proposés sont européens. Le bucket vous appartient et vous payez directement le fournisseur — Keldoran ne voit jamais vos données.</translation>
    </message>
    <message>
        <source>You can&apos;t switch providers later inside Keldoran — switching means setting up a fresh backup. Your existing backup stays restorable.</source>
        <translation>Vous ne pourrez pas changer de fournisseur plus tard dans Keldoran&#xa0;: il faudrait configurer une nouvelle sauvegarde. Votre sauvegarde existante resterait restaurable.</translation>
    </message>
    <message>
        <source>Show other providers</source>
        <translation>Afficher d&apos;autres fournisseurs</translation>
    </message>
    <message>
        <source>Connect your storage</source>
        <translation>Connectez votre stockage</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Région</translation>
    </message>
    <message>
        <source>Buckets are part of the address&apos;s path</source>
        <translation>Le bucket fait partie du chemin de l&apos;adresse</translation>
    </message>
    <message>
        <source>Bucket name</source>
        <translation>Nom du bucket</translation>
    </message>
    <message>
        <source>Access key</source>
        <translation>Clé d&apos;accès</translation>
    </message>
    <message>
        <source>Secret key</source>
        <translation>Clé secrète</translation>
    </message>
    <message>
        <source>View guide</source>
        <translation>Voir le guide</translation>
    </message>
    <message>
        <source>Where your data lives</source>
        <translation>Où sont stockées vos données</translation>
    </message>
    <message>
        <source>If you lose this password, your backups can&apos;t be opened — not even by us. Store it somewhere safe, like a password manager.</source>
        <translation>Si vous perdez ce mot de passe, vos sauvegardes ne pourront plus être ouvertes — pas même par nous. Conservez-le en lieu sûr, par exemple dans un gestionnaire de mots de passe.</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Confirm password</source>
        <translation>Confirmer le mot de passe</translation>
    </message>
    <message>
        <source>What Keldoran backs up</source>
        <translation>Ce que Keldoran sauvegarde</translation>
    </message>
    <message>
        <source>Your whole home folder, minus the noise that doesn&apos;t need saving. You can adjust this anytime in Preferences.</source>
        <translation>Tout votre dossier personnel, sans le superflu qu&apos;il est inutile de sauvegarder. Vous pouvez modifier cela à tout moment dans les Préférences.</translation>
    </message>
    <message>
        <source>Exclusions</source>
        <translation>Exclusions</translation>
    </message>
    <message>
        <source>Review…</source>
        <translation>Vérifier…</translation>
    </message>
    <message>
        <source>Choose what&apos;s backed up</source>
        <translation>Choisir ce qui est sauvegardé</translation>
    </message>
    <message>
        <source>Also back up app data such as mail and browser profiles</source>
        <translation>Sauvegarder aussi les données des applications, comme les e-mails et les profils de navigateur</translation>
    </message>
    <message>
        <source>Keeps ~/.local/share, ~/.mozilla, ~/.thunderbird and ~/.var/app, without their trash and caches.</source>
        <translation>Inclut ~/.local/share, ~/.mozilla, ~/.thunderbird et ~/.var/app, sans leur corbeille ni leurs caches.</translation>
    </message>
    <message>
        <source>Ready to start</source>
        <translation>Tout est prêt</translation>
    </message>
    <message>
        <source>Enter your backup password</source>
        <translation>Saisissez votre mot de passe de sauvegarde</translation>
    </message>
    <message>
        <source>Create your backup password</source>
        <translation>Créez votre mot de passe de sauvegarde</translation>
    </message>
    <message>
        <source>Enter the backup password you chose when you first set up Keldoran</source>
        <translation>Saisissez le mot de passe de sauvegarde choisi lors de la première configuration de Keldoran</translation>
    </message>
    <message>
        <source>This password encrypts everything before it leaves your Mac. Only you can unlock your backups with it.</source>
        <translation>Ce mot de passe chiffre tout avant que vos données ne quittent votre ordinateur. Personne d&apos;autre que vous ne peut déverrouiller vos sauvegardes.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>Connected — bucket %1 found in %2</source>
        <translation>Connecté — bucket %1 trouvé à %2</translation>
    </message>
    <message>
        <source>Let Keldoran create the bucket %1</source>
        <translation>Laisser Keldoran créer le bucket %1</translation>
    </message>
    <message>
        <source>Keldoran will connect to your existing backup in bucket %1 and back up this computer&apos;s changes to it.</source>
        <translation>Keldoran va se connecter à votre sauvegarde existante dans le bucket %1 et y sauvegarder les modifications de cet ordinateur.</translation>
    </message>
    <message>
        <source>Keldoran will create your encrypted backup in bucket %1 and start the first backup.</source>
        <translation>Keldoran va créer votre sauvegarde chiffrée dans le bucket %1 et lancer la première sauvegarde.</translation>
    </message>
    <message>
        <source>Keldoran lives in the menu bar — look for the ring icon.</source>
        <translation>Keldoran se trouve dans la zone de notification — cherchez l&apos;icône en forme d&apos;anneau.</translation>
    </message>
    <message>
        <source>Your first backup is starting now.</source>
        <translation>Votre première sauvegarde démarre.</translation>
    </message>
    <message>
        <source>Connecting to your backup…</source>
        <translation>Connexion à votre sauvegarde…</translation>
    </message>
    <message>
        <source>Creating your backup…</source>
        <translation>Création de votre sauvegarde…</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>Étape %1 sur %2</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>Continue with %1</source>
        <translation>Continuer avec %1</translation>
    </message>
    <message>
        <source>Start using Keldoran</source>
        <translation>Démarrer Keldoran</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Enter your storage&apos;s address and the two keys it gave you. Keldoran keeps the keys in your Mac&apos;s Keychain — they never leave this device.</source>
        <translation>Saisissez l&apos;adresse de votre stockage et les deux clés qu&apos;il vous a fournies. Keldoran conserve les clés dans votre trousseau de clés — elles ne quittent jamais cet appareil.</translation>
    </message>
    <message>
        <source>Paste the two keys from your %1 storage page. Keldoran keeps them in your Mac&apos;s Keychain — they never leave this device.</source>
        <translation>Collez les deux clés de votre page de stockage %1. Keldoran les conserve dans votre trousseau de clés — elles ne quittent jamais cet appareil.</translation>
    </message>
    <message>
        <source>Don&apos;t have these yet? Creating a %1 account, a bucket and the two keys takes about ten minutes, start to finish.</source>
        <translation>Vous ne les avez pas encore&#xa0;? Créer un compte %1, un bucket et les deux clés prend environ dix minutes en tout.</translation>
    </message>
    <message>
        <source>Hide secret key</source>
        <translation>Masquer la clé secrète</translation>
    </message>
    <message>
        <source>Show secret key</source>
        <translation>Afficher la clé secrète</translation>
    </message>
    <message>
        <source>Your backups stay where your storage keeps them. Keldoran simply uses it.</source>
        <translation>Vos sauvegardes restent là où votre stockage les conserve. Keldoran se contente de l&apos;utiliser.</translation>
    </message>
    <message>
        <source>Your backups stay in the European region you chose when you created your %1 storage. Keldoran simply uses it.</source>
        <translation>Vos sauvegardes restent dans la région européenne choisie lors de la création de votre stockage %1. Keldoran se contente de l&apos;utiliser.</translation>
    </message>
    <message>
        <source>Bucket %1</source>
        <translation>Bucket %1</translation>
    </message>
    <message>
        <source>Want a different region? Create your bucket in %1 at %2 instead — the location is set there, not here.</source>
        <translation>Une autre région&#xa0;? Créez plutôt votre bucket à %1 chez %2 — l&apos;emplacement se choisit là-bas, pas ici.</translation>
    </message>
</context>
<context>
    <name>keldoran::PreferencesWindow</name>
    <message>
        <source>Exclude</source>
        <translation>Exclure</translation>
    </message>
    <message>
        <source>Keldoran Preferences</source>
        <translation>Préférences de Keldoran</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Stockage</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Keldoran automatically keeps %1 hourly, %2 daily, and %3 monthly versions. This isn&apos;t adjustable — sensible by design.</source>
        <translation>Keldoran conserve automatiquement %1 versions horaires, %2 quotidiennes et %3 mensuelles. Ce n&apos;est pas réglable&#xa0;: ces valeurs sont pensées pour vous.</translation>
    </message>
    <message>
        <source>Back up</source>
        <translation>Sauvegarder</translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation>Toutes les heures</translation>
    </message>
    <message>
        <source>Every 6 hours</source>
        <translation>Toutes les 6 heures</translation>
    </message>
    <message>
        <source>Once a day</source>
        <translation>Une fois par jour</translation>
    </message>
    <message>
        <source>Back up on battery power</source>
        <translation>Sauvegarder sur batterie</translation>
    </message>
    <message>
        <source>Back up on metered connections</source>
        <translation>Sauvegarder sur les connexions limitées</translation>
    </message>
    <message>
        <source>Limit upload speed</source>
        <translation>Limiter la vitesse d&apos;envoi</translation>
    </message>
    <message>
        <source>Upload speed</source>
        <translation>Vitesse d&apos;envoi</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <translation>%1 Mo/s</translation>
    </message>
    <message>
        <source>Unlimited</source>
        <translation>Illimitée</translation>
    </message>
    <message>
        <source>Start protecting when I log in</source>
        <translation>Protéger dès l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Notify me when a backup needs my attention</source>
        <translation>M&apos;avertir quand une sauvegarde nécessite mon attention</translation>
    </message>
    <message>
        <source>A failed backup, credentials that can&apos;t be read, a home folder that can&apos;t be read, or backups overdue.</source>
        <translation>Une sauvegarde en échec, des identifiants illisibles, un dossier personnel illisible ou des sauvegardes en retard.</translation>
    </message>
    <message>
        <source>These are never sent to your backup. Hidden folders are skipped automatically (except .ssh, .gnupg, .config and those you tick in “Choose what&apos;s backed up”), plus sensible defaults and anything you add.</source>
        <translation>Ces éléments ne sont jamais envoyés dans votre sauvegarde. Les dossiers cachés sont ignorés automatiquement (sauf .ssh, .gnupg, .config et ceux que vous cochez dans «&#xa0;Choisir ce qui est sauvegardé&#xa0;»), de même que des exclusions par défaut raisonnables et tout ce que vous ajoutez.</translation>
    </message>
    <message>
        <source>Add exclusion…</source>
        <translation>Ajouter une exclusion…</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Re-add the built-in default exclusions; your own entries are kept.</source>
        <translation>Rajoute les exclusions fournies par défaut&#xa0;; vos propres entrées sont conservées.</translation>
    </message>
    <message>
        <source>Choose what&apos;s backed up…</source>
        <translation>Choisir ce qui est sauvegardé…</translation>
    </message>
    <message>
        <source>To back up somewhere else, set up a new backup. This one stays restorable with its keys.</source>
        <translation>Pour sauvegarder ailleurs, configurez une nouvelle sauvegarde. Celle-ci reste restaurable avec ses clés.</translation>
    </message>
    <message>
        <source>Change keys…</source>
        <translation>Changer les clés…</translation>
    </message>
    <message>
        <source>Set up a new backup…</source>
        <translation>Nouvelle sauvegarde…</translation>
    </message>
    <message>
        <source>Remove Keldoran and its data</source>
        <translation>Supprimer Keldoran et ses données</translation>
    </message>
    <message>
        <source>Deletes the keys, password and settings Keldoran keeps on this Mac. Your backups are not touched.</source>
        <translation>Supprime les clés, le mot de passe et les réglages que Keldoran conserve sur cet ordinateur. Vos sauvegardes ne sont pas touchées.</translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation>Supprimer…</translation>
    </message>
    <message>
        <source>Bucket %1</source>
        <translation>Bucket %1</translation>
    </message>
    <message>
        <source>No storage set up yet</source>
        <translation>Aucun stockage configuré</translation>
    </message>
    <message>
        <source>Encrypted · your bucket</source>
        <translation>Chiffré · votre bucket</translation>
    </message>
    <message>
        <source>Stop excluding %1</source>
        <translation>Ne plus exclure %1</translation>
    </message>
    <message>
        <source>Set up a new backup?</source>
        <translation>Configurer une nouvelle sauvegarde&#xa0;?</translation>
    </message>
    <message>
        <source>Keldoran will back up to the storage you set up next. Your current backup in bucket %1 is not touched and stays restorable with its keys and password.</source>
        <translation>Keldoran sauvegardera vers le stockage que vous allez configurer. Votre sauvegarde actuelle dans le bucket %1 n&apos;est pas touchée et reste restaurable avec ses clés et son mot de passe.</translation>
    </message>
    <message>
        <source>Keldoran will back up to the storage you set up next. Your current backup is not touched and stays restorable with its keys and password.</source>
        <translation>Keldoran sauvegardera vers le stockage que vous allez configurer. Votre sauvegarde actuelle n&apos;est pas touchée et reste restaurable avec ses clés et son mot de passe.</translation>
    </message>
    <message>
        <source>Set Up New Backup</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Some items could not be removed. The log has the details.</source>
        <translation>Certains éléments n&apos;ont pas pu être supprimés. Le journal contient les détails.</translation>
    </message>
</context>
<context>
    <name>keldoran::RemoveDataSheet</name>
    <message>
        <source>Remove Keldoran</source>
        <translation>Supprimer Keldoran</translation>
    </message>
    <message>
        <source>Remove Keldoran and its data?</source>
        <translation>Supprimer Keldoran et ses données&#xa0;?</translation>
    </message>
    <message>
        <source>This removes everything Keldoran keeps on this Mac.</source>
        <translation>Cela supprime tout ce que Keldoran conserve sur cet ordinateur.</translation>
    </message>
    <message>
        <source>Your storage keys and repository password</source>
        <translation>Vos clés de stockage et le mot de passe du dépôt</translation>
    </message>
    <message>
        <source>Your settings and logs on this Mac</source>
        <translation>Vos réglages et journaux sur cet ordinateur</translation>
    </message>
    <message>
        <source>The login item and the background agent</source>
        <translation>Le démarrage à l&apos;ouverture de session et le service en arrière-plan</translation>
    </message>
    <message>
        <source>Your backups are not deleted. Everything in your storage stays exactly as it is, and stays restorable with your keys.</source>
        <translation>Vos sauvegardes ne sont pas supprimées. Tout ce qui se trouve dans votre stockage reste tel quel et reste restaurable avec vos clés.</translation>
    </message>
    <message>
        <source>Also delete the restic cache (%1)</source>
        <translation>Supprimer aussi le cache de restic (%1)</translation>
    </message>
    <message>
        <source>It is shared with any other restic on this Mac, so it is left alone unless you ask.</source>
        <translation>Il est partagé avec toute autre utilisation de restic sur cet ordinateur&#xa0;: il n&apos;est supprimé que si vous le demandez.</translation>
    </message>
    <message>
        <source>Keldoran will quit. Drag it to the Trash to finish.</source>
        <translation>Keldoran va se fermer. Pour terminer, désinstallez-le avec votre gestionnaire de paquets.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Remove and quit</source>
        <translation>Supprimer et quitter</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreBrowser</name>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
    <message>
        <source>Earlier</source>
        <translation>Plus tôt</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Dossier personnel</translation>
    </message>
    <message>
        <source>Restore was cancelled.</source>
        <translation>La restauration a été annulée.</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreFileTable</name>
    <message>
        <source>Selected</source>
        <translation>Sélectionné</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Non sélectionné</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modifié</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreProgressOverlay</name>
    <message>
        <source>Restore progress</source>
        <translation>Progression de la restauration</translation>
    </message>
    <message>
        <source>Show in Finder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Restoring… %1%</source>
        <translation>Restauration… %1&#xa0;%</translation>
    </message>
    <message>
        <source>Restore complete</source>
        <translation>Restauration terminée</translation>
    </message>
    <message>
        <source>Restore incomplete</source>
        <translation>Restauration incomplète</translation>
    </message>
    <message>
        <source>Restore failed</source>
        <translation>Échec de la restauration</translation>
    </message>
</context>
<context>
    <name>keldoran::RestoreWindow</name>
    <message>
        <source>Restore — Keldoran</source>
        <translation>Restauration — Keldoran</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Instantané</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Restore to…</source>
        <translation>Restaurer vers…</translation>
    </message>
    <message>
        <source>Show versions…</source>
        <translation>Afficher les versions…</translation>
    </message>
    <message>
        <source>No snapshot</source>
        <translation>Aucun instantané</translation>
    </message>
    <message>
        <source>Set up Keldoran to restore files.</source>
        <translation>Configurez Keldoran pour restaurer des fichiers.</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Chargement…</translation>
    </message>
    <message>
        <source>No backups to restore from yet.</source>
        <translation>Aucune sauvegarde à restaurer pour l&apos;instant.</translation>
    </message>
    <message>
        <source>This folder is empty</source>
        <translation>Ce dossier est vide</translation>
    </message>
    <message>
        <source>No results for &quot;%1&quot;</source>
        <translation>Aucun résultat pour «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Nothing on this computer could open %1. Open it in your file manager.</source>
        <translation>Aucune application de cet ordinateur n&apos;a pu ouvrir %1. Ouvrez ce dossier dans votre gestionnaire de fichiers.</translation>
    </message>
</context>
<context>
    <name>keldoran::ScopeBrowser</name>
    <message>
        <source>Choose what&apos;s backed up</source>
        <translation>Choisir ce qui est sauvegardé</translation>
    </message>
    <message>
        <source>Your home folder is backed up, except the exclusions below.</source>
        <translation>Votre dossier personnel est sauvegardé, sauf les exclusions ci-dessous.</translation>
    </message>
    <message>
        <source>Changes are saved immediately.</source>
        <translation>Les modifications sont enregistrées immédiatement.</translation>
    </message>
    <message>
        <source>Show hidden folders</source>
        <translation>Afficher les dossiers cachés</translation>
    </message>
    <message>
        <source>Hidden folders hold app data such as mail and browser profiles. They are skipped unless ticked.</source>
        <translation>Les dossiers cachés contiennent des données d&apos;applications, comme les e-mails et les profils de navigateur. Ils sont ignorés s&apos;ils ne sont pas cochés.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Nothing skipped</source>
        <translation>Aucune exclusion</translation>
    </message>
    <message numerus="yes">
        <source>Skipping %Ln places</source>
        <translation>
            <numerusform>%Ln emplacement exclu</numerusform>
            <numerusform>%Ln emplacements exclus</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 · size not yet calculated</source>
        <translation>%1 · taille pas encore calculée</translation>
    </message>
    <message>
        <source>%1 · ~%2 not backed up</source>
        <translation>%1 · ~%2 non sauvegardés</translation>
    </message>
    <message>
        <source>Next backup: your home folder, minus %1, %2 and %3 — plus cache folders.</source>
        <translation>Prochaine sauvegarde&#xa0;: votre dossier personnel, sans %1, %2 et %3 — ni les dossiers de cache.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln entries from this list</source>
        <translation>
            <numerusform>%Ln entrée de cette liste</numerusform>
            <numerusform>%Ln entrées de cette liste</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln unticked folders</source>
        <translation>
            <numerusform>%Ln dossier décoché</numerusform>
            <numerusform>%Ln dossiers décochés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln hidden folders</source>
        <translation>
            <numerusform>%Ln dossier caché</numerusform>
            <numerusform>%Ln dossiers cachés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Also backs up %Ln hidden folders you chose.</source>
        <translation>
            <numerusform>Inclut aussi %Ln dossier caché que vous avez choisi.</numerusform>
            <numerusform>Inclut aussi %Ln dossiers cachés que vous avez choisis.</numerusform>
        </translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Dossier personnel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
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
        <translation>Cette version n&apos;a pas de flux de mises à jour.</translation>
    </message>
    <message>
        <source>The update feed is not well-formed XML: %1</source>
        <extracomment>%1 is the XML reader&apos;s own description of the error.</extracomment>
        <translation>Le flux de mises à jour n&apos;est pas un XML valide&#xa0;: %1</translation>
    </message>
    <message>
        <source>The update feed is not an RSS appcast.</source>
        <translation>Le flux de mises à jour n&apos;est pas un appcast RSS.</translation>
    </message>
</context>
<context>
    <name>keldoran::VersionsDialog</name>
    <message>
        <source>Versions</source>
        <translation>Versions</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Restaurer…</translation>
    </message>
</context>
</TS>
