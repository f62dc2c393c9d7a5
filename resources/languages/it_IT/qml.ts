<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>DisplayboardOutput</name>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>TIME</source>
        <translation>ORA</translation>
    </message>
</context>
<context>
    <name>HandleSequence</name>
    <message>
        <source>TIME</source>
        <translation>ORA</translation>
    </message>
    <message>
        <source>REPETITION</source>
        <translation>RIPETIZIONE</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translation>PAUSA</translation>
    </message>
    <message>
        <source>RUNNING</source>
        <translation>IN CORSO</translation>
    </message>
    <message>
        <source>EDIT REPETITION</source>
        <translation>MODIFICA RIPETIZIONE</translation>
    </message>
    <message>
        <source>GET LIST FROM</source>
        <translation>CARICA LISTA DA</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>CUSTOM</source>
        <translation>PERSONALIZZATA</translation>
    </message>
</context>
<context>
    <name>HandleSequenceForm.ui</name>
    <message>
        <source>REPETITION</source>
        <translation>RIPETIZIONE</translation>
    </message>
    <message>
        <source>TIME</source>
        <translation>ORA</translation>
    </message>
    <message>
        <source>NEXT START</source>
        <translation>PROSSIMA PARTENZA</translation>
    </message>
    <message>
        <source>CUSTOM</source>
        <translation>PERSONALIZZATA</translation>
    </message>
    <message>
        <source>Current list</source>
        <translation>Lista attuale</translation>
    </message>
    <message>
        <source>PLEASE DOWNLOAD
START LIST</source>
        <translation>SCARICARE LA
LISTA DI PARTENZA</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>Sequence</source>
        <translation>Sequenza</translation>
    </message>
</context>
<context>
    <name>ImportStartingList</name>
    <message>
        <source>StartingList</source>
        <translation>Lista di partenza</translation>
    </message>
</context>
<context>
    <name>MainMenuModel</name>
    <message>
        <source>NEW SESSION</source>
        <translation>NUOVA SESSIONE</translation>
    </message>
    <message>
        <source>TEST SETTINGS</source>
        <translation>IMPOSTAZIONI TEST</translation>
    </message>
    <message>
        <source>SETTINGS</source>
        <translation>IMPOSTAZIONI</translation>
    </message>
    <message>
        <source>SYNCH</source>
        <translation>SINCRO</translation>
    </message>
    <message>
        <source>SYNCHRONIZATION</source>
        <translation>SINCRONIZZAZIONE</translation>
    </message>
    <message>
        <source>EXPORT LOG</source>
        <translation>ESPORTA LOG</translation>
    </message>
    <message>
        <source>DISCONNECT BT DEVICES</source>
        <translation>SCOLLEGA DISPOSITIVI BT</translation>
    </message>
    <message>
        <source>DISCONNECT
BT DEVICES</source>
        <translation>SCOLLEGA
DISPOSITIVI BT</translation>
    </message>
    <message>
        <source>RESET TO DEFAULT</source>
        <translation>RIPRISTINA DEFAULT</translation>
    </message>
    <message>
        <source>RESET TO
DEFAULT</source>
        <translation>RIPRISTINA
DEFAULT</translation>
    </message>
</context>
<context>
    <name>MenuPageForm.ui</name>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>SetDate</name>
    <message>
        <source>Month</source>
        <translation>Mese</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Giorno</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Anno</translation>
    </message>
</context>
<context>
    <name>StartingList</name>
    <message>
        <source>Num</source>
        <translation>N.</translation>
    </message>
</context>
<context>
    <name>SwitchItem</name>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Quit from Vantor</source>
        <translation>Uscire da Vantor</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sequenza</translation>
    </message>
    <message>
        <source>!!Low battery!!</source>
        <translation>!!Batteria scarica!!</translation>
    </message>
    <message>
        <source>NEW SESSION</source>
        <translation>NUOVA SESSIONE</translation>
    </message>
    <message>
        <source>WAIT PLEASE (ESC to quit)</source>
        <translation>ATTENDERE PREGO (ESC per uscire)</translation>
    </message>
    <message>
        <source>WAIT PLEASE</source>
        <translation>ATTENDERE PREGO</translation>
    </message>
    <message>
        <source>SELECT AN OPTION</source>
        <translation>SCEGLIERE UN&apos;OPZIONE</translation>
    </message>
</context>
</TS>
