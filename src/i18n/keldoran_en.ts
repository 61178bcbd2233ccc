<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>CtlMessages</name>
    <message numerus="yes">
        <source>Indexing %Ln backups…</source>
        <translation>
            <numerusform>Indexing %Ln backup…</numerusform>
            <numerusform>Indexing %Ln backups…</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Formatters</name>
    <message numerus="yes">
        <source>%Ln years ago</source>
        <translation>
            <numerusform>%Ln year ago</numerusform>
            <numerusform>%Ln years ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln years</source>
        <translation>
            <numerusform>in %Ln year</numerusform>
            <numerusform>in %Ln years</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln months ago</source>
        <translation>
            <numerusform>%Ln month ago</numerusform>
            <numerusform>%Ln months ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln months</source>
        <translation>
            <numerusform>in %Ln month</numerusform>
            <numerusform>in %Ln months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln weeks ago</source>
        <translation>
            <numerusform>%Ln week ago</numerusform>
            <numerusform>%Ln weeks ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln weeks</source>
        <translation>
            <numerusform>in %Ln week</numerusform>
            <numerusform>in %Ln weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln days ago</source>
        <translation>
            <numerusform>%Ln day ago</numerusform>
            <numerusform>%Ln days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln days</source>
        <translation>
            <numerusform>in %Ln day</numerusform>
            <numerusform>in %Ln days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>%Ln hour ago</numerusform>
            <numerusform>%Ln hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln hours</source>
        <translation>
            <numerusform>in %Ln hour</numerusform>
            <numerusform>in %Ln hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>%Ln minute ago</numerusform>
            <numerusform>%Ln minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln minutes</source>
        <translation>
            <numerusform>in %Ln minute</numerusform>
            <numerusform>in %Ln minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>%Ln second ago</numerusform>
            <numerusform>%Ln seconds ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %Ln seconds</source>
        <translation>
            <numerusform>in %Ln second</numerusform>
            <numerusform>in %Ln seconds</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln minutes left</source>
        <translation>
            <numerusform>about %Ln minute left</numerusform>
            <numerusform>about %Ln minutes left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln hours left</source>
        <translation>
            <numerusform>about %Ln hour left</numerusform>
            <numerusform>about %Ln hours left</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message numerus="yes">
        <source>about %Ln min left</source>
        <translation>
            <numerusform>about %Ln min left</numerusform>
            <numerusform>about %Ln min left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>about %Ln s left</source>
        <translation>
            <numerusform>about %Ln s left</numerusform>
            <numerusform>about %Ln s left</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RestoreMessages</name>
    <message numerus="yes">
        <source>%1 and %Ln more</source>
        <translation>
            <numerusform>%1 and %Ln more</numerusform>
            <numerusform>%1 and %Ln more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing folders were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln existing folder was kept; the restored copy is named %1.</numerusform>
            <numerusform>%Ln existing folders were kept; the restored copies are named %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing files were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln existing file was kept; the restored copy is named %1.</numerusform>
            <numerusform>%Ln existing files were kept; the restored copies are named %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln existing items were kept; the restored copies are named %1.</source>
        <translation>
            <numerusform>%Ln existing item was kept; the restored copy is named %1.</numerusform>
            <numerusform>%Ln existing items were kept; the restored copies are named %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %Ln items to %1.</source>
        <translation>
            <numerusform>Restored %Ln item to %1.</numerusform>
            <numerusform>Restored %Ln items to %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln more items couldn&apos;t be placed.</source>
        <translation>
            <numerusform>%Ln more item couldn&apos;t be placed.</numerusform>
            <numerusform>%Ln more items couldn&apos;t be placed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln selected items are hidden by the search</source>
        <translation>
            <numerusform>%Ln selected item is hidden by the search</numerusform>
            <numerusform>%Ln selected items are hidden by the search</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln items selected</source>
        <translation>
            <numerusform>%Ln item selected</numerusform>
            <numerusform>%Ln items selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Found in %Ln other folders</source>
        <translation>
            <numerusform>Found in %Ln other folder</numerusform>
            <numerusform>Found in %Ln other folders</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RestoreProblem</name>
    <message numerus="yes">
        <source>%Ln more items couldn&apos;t be restored.</source>
        <translation>
            <numerusform>%Ln more item couldn&apos;t be restored.</numerusform>
            <numerusform>%Ln more items couldn&apos;t be restored.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusActivity</name>
    <message numerus="yes">
        <source>%Ln files · source data</source>
        <translation>
            <numerusform>%Ln file · source data</numerusform>
            <numerusform>%Ln files · source data</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Backed up with %Ln exclusions</source>
        <translation>
            <numerusform>Backed up with %Ln exclusion</numerusform>
            <numerusform>Backed up with %Ln exclusions</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusPresentation</name>
    <message numerus="yes">
        <source>%1 of %Ln files</source>
        <translation>
            <numerusform>%1 of %Ln file</numerusform>
            <numerusform>%1 of %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Completed with %Ln warnings</source>
        <translation>
            <numerusform>Completed with %Ln warning</numerusform>
            <numerusform>Completed with %Ln warnings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>and %Ln more</numerusform>
            <numerusform>and %Ln more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files · source data</source>
        <translation>
            <numerusform>%Ln file · source data</numerusform>
            <numerusform>%Ln files · source data</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>keldoran::DestinationSheet</name>
    <message numerus="yes">
        <source>Restore %Ln items</source>
        <translation>
            <numerusform>Restore %Ln item</numerusform>
            <numerusform>Restore %Ln items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and %Ln more</source>
        <translation>
            <numerusform>%1 and %Ln more</numerusform>
            <numerusform>%1 and %Ln more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>keldoran::ScopeBrowser</name>
    <message numerus="yes">
        <source>Skipping %Ln places</source>
        <translation>
            <numerusform>Skipping %Ln place</numerusform>
            <numerusform>Skipping %Ln places</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln entries from this list</source>
        <translation>
            <numerusform>%Ln entry from this list</numerusform>
            <numerusform>%Ln entries from this list</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln unticked folders</source>
        <translation>
            <numerusform>%Ln unticked folder</numerusform>
            <numerusform>%Ln unticked folders</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln hidden folders</source>
        <translation>
            <numerusform>%Ln hidden folder</numerusform>
            <numerusform>%Ln hidden folders</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Also backs up %Ln hidden folders you chose.</source>
        <translation>
            <numerusform>Also backs up %Ln hidden folder you chose.</numerusform>
            <numerusform>Also backs up %Ln hidden folders you chose.</numerusform>
        </translation>
    </message>
</context>
</TS>
