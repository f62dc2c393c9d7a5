<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DisplayboardOutput</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>TIME</source>
        <translation>ZEIT</translation>
    </message>
</context>
<context>
    <name>HandleSequence</name>
    <message>
        <source>TIME</source>
        <translation>ZEIT</translation>
    </message>
    <message>
        <source>REPETITION</source>
        <translation>WIEDERHOLUNG</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>RUNNING</source>
        <translation>LÄUFT</translation>
    </message>
    <message>
        <source>EDIT REPETITION</source>
        <translation>WIEDERHOLUNG ÄNDERN</translation>
    </message>
    <message>
        <source>GET LIST FROM</source>
        <translation>LISTE LADEN VON</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>CUSTOM</source>
        <translation>EIGENE</translation>
    </message>
</context>
<context>
    <name>HandleSequenceForm.ui</name>
    <message>
        <source>REPETITION</source>
        <translation>WIEDERHOLUNG</translation>
    </message>
    <message>
        <source>TIME</source>
        <translation>ZEIT</translation>
    </message>
    <message>
        <source>NEXT START</source>
        <translation>NÄCHSTER START</translation>
    </message>
    <message>
        <source>CUSTOM</source>
        <translation>EIGENE</translation>
    </message>
    <message>
        <source>Current list</source>
        <translation>Aktuelle Liste</translation>
    </message>
    <message>
        <source>PLEASE DOWNLOAD
START LIST</source>
        <translation>BITTE STARTLISTE
HERUNTERLADEN</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>Sequence</source>
        <translation>Sequenz</translation>
    </message>
</context>
<context>
    <name>ImportStartingList</name>
    <message>
        <source>StartingList</source>
        <translation>Startliste</translation>
    </message>
</context>
<context>
    <name>MainMenuModel</name>
    <message>
        <source>NEW SESSION</source>
        <translation>NEUE SITZUNG</translation>
    </message>
    <message>
        <source>TEST SETTINGS</source>
        <translation>TESTEINSTELLUNGEN</translation>
    </message>
    <message>
        <source>SETTINGS</source>
        <translation>EINSTELLUNGEN</translation>
    </message>
    <message>
        <source>SYNCH</source>
        <translation>SYNCH</translation>
    </message>
    <message>
        <source>SYNCHRONIZATION</source>
        <translation>SYNCHRONISATION</translation>
    </message>
    <message>
        <source>EXPORT LOG</source>
        <translation>LOG EXPORTIEREN</translation>
    </message>
    <message>
        <source>DISCONNECT BT DEVICES</source>
        <translation>BT-GERÄTE TRENNEN</translation>
    </message>
    <message>
        <source>DISCONNECT
BT DEVICES</source>
        <translation>BT-GERÄTE
TRENNEN</translation>
    </message>
    <message>
        <source>RESET TO DEFAULT</source>
        <translation>AUF DEFAULT ZURÜCKSETZEN</translation>
    </message>
    <message>
        <source>RESET TO
DEFAULT</source>
        <translation>AUF DEFAULT
ZURÜCKSETZEN</translation>
    </message>
</context>
<context>
    <name>MenuPageForm.ui</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SetDate</name>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
</context>
<context>
    <name>StartingList</name>
    <message>
        <source>Num</source>
        <translation>Nr.</translation>
    </message>
</context>
<context>
    <name>SwitchItem</name>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Quit from Vantor</source>
        <translation>Vantor beenden</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sequenz</translation>
    </message>
    <message>
        <source>!!Low battery!!</source>
        <translation>!!Batterie schwach!!</translation>
    </message>
    <message>
        <source>NEW SESSION</source>
        <translation>NEUE SITZUNG</translation>
    </message>
    <message>
        <source>WAIT PLEASE (ESC to quit)</source>
        <translation>BITTE WARTEN (ESC zum Beenden)</translation>
    </message>
    <message>
        <source>WAIT PLEASE</source>
        <translation>BITTE WARTEN</translation>
    </message>
    <message>
        <source>SELECT AN OPTION</source>
        <translation>OPTION WÄHLEN</translation>
    </message>
</context>
</TS>
