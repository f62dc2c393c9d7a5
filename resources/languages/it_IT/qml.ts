<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>About</name>
    <message>
        <source>Serial Number</source>
        <translation>Numero di serie</translation>
    </message>
    <message>
        <source>Host Name</source>
        <translation>Nome host</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Data di compilazione</translation>
    </message>
    <message>
        <source>OS Build Date</source>
        <translation>Data di compilazione del sistema</translation>
    </message>
</context>
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
    <name>ExportForm</name>
    <message>
        <source>EXPORT</source>
        <translation>ESPORTA</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>ELIMINA</translation>
    </message>
</context>
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
        <translation>PERSONALIZ­ZATA</translation>
    </message>
    <message>
        <source>The sequence file cannot be read</source>
        <translation>Il file della sequenza non è leggibile</translation>
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
        <translation>PERSONALIZ­ZATA</translation>
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
        <translation>IMPOSTA­ZIONI</translation>
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
    <name>MenuSequencesModel</name>
    <message>
        <source>RALLY</source>
        <translation>RALLY</translation>
    </message>
    <message>
        <source>SKI</source>
        <translation>SCI</translation>
    </message>
    <message>
        <source>UP HILL</source>
        <translation>SALITA</translation>
    </message>
    <message>
        <source>CUSTOM</source>
        <translation>PERSONALIZ­ZATA</translation>
    </message>
</context>
<context>
    <name>MenuSettingsModel</name>
    <message>
        <source>GENERAL
SETTINGS</source>
        <translation>IMPOSTA­ZIONI
GENERALI</translation>
    </message>
    <message>
        <source>GENERAL SETTINGS</source>
        <translation>IMPOSTAZIONI GENERALI</translation>
    </message>
    <message>
        <source>SESSION
SETTINGS</source>
        <translation>IMPOSTA­ZIONI
SESSIONE</translation>
    </message>
    <message>
        <source>SESSION SETTINGS</source>
        <translation>IMPOSTAZIONI SESSIONE</translation>
    </message>
    <message>
        <source>REPETITION
TIMES</source>
        <translation>TEMPI DI
RIPETIZIONE</translation>
    </message>
    <message>
        <source>REPETITION TIMES</source>
        <translation>TEMPI DI RIPETIZIONE</translation>
    </message>
</context>
<context>
    <name>MenuSynchroModel</name>
    <message>
        <source>Set Synchro­nization</source>
        <translation>Imposta sincroniz­zazione</translation>
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
    <name>RepetitionTimes</name>
    <message>
        <source>SETTINGS</source>
        <translation>IMPOSTAZIONI</translation>
    </message>
    <message>
        <source>Repetition time 1</source>
        <translation>Tempo di ripetizione 1</translation>
    </message>
    <message>
        <source>Repetition time 2</source>
        <translation>Tempo di ripetizione 2</translation>
    </message>
    <message>
        <source>Repetition time 3</source>
        <translation>Tempo di ripetizione 3</translation>
    </message>
</context>
<context>
    <name>SemaSequence</name>
    <message>
        <source>The sequence file cannot be read</source>
        <translation>Il file della sequenza non è leggibile</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Falsa</translation>
    </message>
    <message>
        <source>No False</source>
        <translation>No falsa</translation>
    </message>
</context>
<context>
    <name>SemaSequences</name>
    <message>
        <source>Sequence</source>
        <translation>Sequenza</translation>
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
    <name>Settings</name>
    <message>
        <source>SETTINGS</source>
        <translation>IMPOSTAZIONI</translation>
    </message>
    <message>
        <source>Repetition time %1</source>
        <translation>Tempo di ripetizione %1</translation>
    </message>
    <message>
        <source>IP Addr.: </source>
        <translation>Indir. IP: </translation>
    </message>
    <message>
        <source>Mask: </source>
        <translation>Maschera: </translation>
    </message>
    <message>
        <source>Mode: </source>
        <translation>Modo: </translation>
    </message>
    <message>
        <source>Brightness Mode</source>
        <translation>Modo luminosità</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuale</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Displayboard Mode</source>
        <translation>Modo tabellone</translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Conto alla rovescia</translation>
    </message>
    <message>
        <source>Displayboard</source>
        <translation>Tabellone</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Formato data</translation>
    </message>
    <message>
        <source>DD/MM/YYYY</source>
        <translation>GG/MM/AAAA</translation>
    </message>
    <message>
        <source>MM/DD/YYYY</source>
        <translation>MM/GG/AAAA</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Formato ora</translation>
    </message>
    <message>
        <source>Time Color</source>
        <translation>Colore ora</translation>
    </message>
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
        <source>Power save</source>
        <translation>Risparmio energetico</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>1 Minute</source>
        <translation>1 minuto</translation>
    </message>
    <message>
        <source>2 Minutes</source>
        <translation>2 minuti</translation>
    </message>
    <message>
        <source>5 Minutes</source>
        <translation>5 minuti</translation>
    </message>
    <message>
        <source>10 Minutes</source>
        <translation>10 minuti</translation>
    </message>
    <message>
        <source>30 Minutes</source>
        <translation>30 minuti</translation>
    </message>
    <message>
        <source>High contrast</source>
        <translation>Alto contrasto</translation>
    </message>
    <message>
        <source>Touch point</source>
        <translation>Punto di tocco</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation>WiFi</translation>
    </message>
    <message>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>Connected device: </source>
        <translation>Dispositivo connesso: </translation>
    </message>
    <message>
        <source>Mode %1</source>
        <translation>Modo %1</translation>
    </message>
    <message>
        <source>Visualization mode</source>
        <translation>Modo di visualizzazione</translation>
    </message>
    <message>
        <source>Loudspeaker volume</source>
        <translation>Volume altoparlante</translation>
    </message>
    <message>
        <source>Sequence mode</source>
        <translation>Modo sequenza</translation>
    </message>
    <message>
        <source>Auto Start</source>
        <translation>Partenza automatica</translation>
    </message>
    <message>
        <source>Show time of day during sequence</source>
        <translation>Mostra l'ora durante la sequenza</translation>
    </message>
    <message>
        <source>Advise false start</source>
        <translation>Segnala falsa partenza</translation>
    </message>
    <message>
        <source>Auto create start</source>
        <translation>Crea partenza automatica</translation>
    </message>
    <message>
        <source>Skip event if light is off</source>
        <translation>Ignora evento a luce spenta</translation>
    </message>
    <message>
        <source>Restart on next full minute</source>
        <translation>Riparti al minuto successivo</translation>
    </message>
    <message>
        <source>Visual. with disabled seq.</source>
        <translation>Visual. a sequenza disattivata</translation>
    </message>
    <message>
        <source>All off</source>
        <translation>Tutto spento</translation>
    </message>
    <message>
        <source>Only red</source>
        <translation>Solo rosso</translation>
    </message>
    <message>
        <source>Blinking red</source>
        <translation>Rosso lampeggiante</translation>
    </message>
    <message>
        <source>All on</source>
        <translation>Tutto acceso</translation>
    </message>
    <message>
        <source>Delay show false start</source>
        <translation>Ritardo falsa partenza</translation>
    </message>
    <message>
        <source>NO SETTINGS
AVAILABLE</source>
        <translation>NESSUNA IMPOSTAZIONE
DISPONIBILE</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Yes</source>
        <translation>Sì</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>Splash</name>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
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
    <name>TestSettings</name>
    <message>
        <source>TEST SETTINGS</source>
        <translation>IMPOSTAZIONI TEST</translation>
    </message>
    <message>
        <source>Recovery mode</source>
        <translation>Modalità di ripristino</translation>
    </message>
    <message>
        <source>Single LED test</source>
        <translation>Test LED singolo</translation>
    </message>
    <message>
        <source>Continuous LED test</source>
        <translation>Test LED continuo</translation>
    </message>
    <message>
        <source>Battery calibration</source>
        <translation>Calibrazione batteria</translation>
    </message>
    <message>
        <source>Oscillator Calibration</source>
        <translation>Calibrazione oscillatore</translation>
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
        <translation>SCEGLIERE UN'OPZIONE</translation>
    </message>
</context>
</TS>