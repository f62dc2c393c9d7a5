<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>GPS</name>
    <message>
        <source>None</source>
        <translation>Nessuna</translation>
    </message>
    <message>
        <source>One Time</source>
        <translation>Una volta</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continua</translation>
    </message>
    <message>
        <source>Sync Mode</source>
        <translation>Modalità sincronizzazione</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Fuso orario</translation>
    </message>
    <message>
        <source>GPS mode locked by the radio synchronization</source>
        <translation>Modalità GPS bloccata dalla sincronizzazione radio</translation>
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
    <name>HandleSequenceForm</name>
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
    <name>LedSingleTestForm</name>
    <message>
        <source>Red</source>
        <translation>Rosso</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blu</translation>
    </message>
    <message>
        <source>Single Driver</source>
        <translation>Driver singolo</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Azzera</translation>
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
    <name>MenuOscillatorCalibrationModel</name>
    <message>
        <source>Test Timing Base Calibration</source>
        <translation>Test calibrazione base tempi</translation>
    </message>
    <message>
        <source>Execute Timing Base Calibration</source>
        <translation>Esegui calibrazione base tempi</translation>
    </message>
</context>
<context>
    <name>MenuPageForm</name>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
</context>
<context>
    <name>MenuSynchroModel</name>
    <message>
        <source>Set Synchronization</source>
        <translation>Imposta sincronizzazione</translation>
    </message>
    <message>
        <source>GPS &amp; Time Zone</source>
        <translation>GPS e fuso orario</translation>
    </message>
    <message>
        <source>GPS Satellites</source>
        <translation>GPS Satellites</translation>
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
    <name>OscillatorCalibrationForm</name>
    <message>
        <source>Press button to start calibration</source>
        <translation>Premere il pulsante per avviare la calibrazione</translation>
    </message>
    <message>
        <source>Press button to start the test</source>
        <translation>Premere il pulsante per avviare il test</translation>
    </message>
    <message>
        <source>STOP CALIBRATION</source>
        <translation>FERMA CALIBRAZIONE</translation>
    </message>
    <message>
        <source>STOP TEST</source>
        <translation>FERMA TEST</translation>
    </message>
    <message>
        <source>START CALIBRATION</source>
        <translation>AVVIA CALIBRAZIONE</translation>
    </message>
    <message>
        <source>START TEST</source>
        <translation>AVVIA TEST</translation>
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
    <name>Synchro</name>
    <message>
        <source>TIME</source>
        <translation>ORA</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATA</translation>
    </message>
    <message>
        <source>SYNCHRONIZATION
DONE!</source>
        <translation>SINCRONIZZAZIONE
ESEGUITA!</translation>
    </message>
    <message>
        <source>ERROR TO
SYNCHRONIZE!</source>
        <translation>ERRORE DI
SINCRONIZZAZIONE!</translation>
    </message>
</context>
<context>
    <name>SynchroForm</name>
    <message>
        <source>WAIT START</source>
        <translation>ATTESA START</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
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
