<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>About</name>
    <message>
        <source>Serial Number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Host Name</source>
        <translation>Hostname</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>OS Build Date</source>
        <translation>Erstellungsdatum des Systems</translation>
    </message>
</context>
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
    <name>ExportForm</name>
    <message>
        <source>EXPORT</source>
        <translation>EXPORTIEREN</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>LÖSCHEN</translation>
    </message>
</context>
<context>
    <name>GPS</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>One Time</source>
        <translation>Einmalig</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Kontinuierlich</translation>
    </message>
    <message>
        <source>Sync Mode</source>
        <translation>Synchronisationsmodus</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>GPS mode locked by the radio synchronization</source>
        <translation>GPS-Modus durch Funksynchronisation gesperrt</translation>
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
    <message>
        <source>The sequence file cannot be read</source>
        <translation>Die Sequenzdatei ist nicht lesbar</translation>
    </message>
</context>
<context>
    <name>HandleSequenceForm</name>
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
    <name>LedSingleTestForm</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Single Driver</source>
        <translation>Einzel­treiber</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Löschen</translation>
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
        <translation>EINSTEL­LUNGEN</translation>
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
        <translation>LOG EXPOR­TIEREN</translation>
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
        <translation>AUF DEFAULT ZURÜCK­SETZEN</translation>
    </message>
    <message>
        <source>RESET TO
DEFAULT</source>
        <translation>AUF DEFAULT
ZURÜCKSETZEN</translation>
    </message>
</context>
<context>
    <name>MenuOscillatorCalibrationModel</name>
    <message>
        <source>Test Timing Base Calibration</source>
        <translation>Zeitbasis-Kalibrierung testen</translation>
    </message>
    <message>
        <source>Execute Timing Base Calibration</source>
        <translation>Zeitbasis-Kalibrierung ausführen</translation>
    </message>
</context>
<context>
    <name>MenuPageForm</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>MenuSequencesModel</name>
    <message>
        <source>RALLY</source>
        <translation>RALLYE</translation>
    </message>
    <message>
        <source>SKI</source>
        <translation>SKI</translation>
    </message>
    <message>
        <source>UP HILL</source>
        <translation>BERGRENNEN</translation>
    </message>
    <message>
        <source>CUSTOM</source>
        <translation>EIGENE</translation>
    </message>
</context>
<context>
    <name>MenuSettingsModel</name>
    <message>
        <source>GENERAL
SETTINGS</source>
        <translation>ALLGEMEINE
EINSTEL­LUNGEN</translation>
    </message>
    <message>
        <source>GENERAL SETTINGS</source>
        <translation>ALLGEMEINE EINSTELLUNGEN</translation>
    </message>
    <message>
        <source>SESSION
SETTINGS</source>
        <translation>SITZUNGS-
EINSTEL­LUNGEN</translation>
    </message>
    <message>
        <source>SESSION SETTINGS</source>
        <translation>SITZUNGSEINSTELLUNGEN</translation>
    </message>
    <message>
        <source>REPETITION
TIMES</source>
        <translation>WIEDER­HOLUNGS-
ZEITEN</translation>
    </message>
    <message>
        <source>REPETITION TIMES</source>
        <translation>WIEDERHOLUNGSZEITEN</translation>
    </message>
</context>
<context>
    <name>MenuSynchroModel</name>
    <message>
        <source>Set Synchro­nization</source>
        <translation>Synchroni­sation einstellen</translation>
    </message>
    <message>
        <source>GPS &amp; Time Zone</source>
        <translation>GPS &amp; Zeitzone</translation>
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
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>OscillatorCalibrationForm</name>
    <message>
        <source>Press button to start calibration</source>
        <translation>Taste drücken, um die Kalibrierung zu starten</translation>
    </message>
    <message>
        <source>Press button to start the test</source>
        <translation>Taste drücken, um den Test zu starten</translation>
    </message>
    <message>
        <source>STOP CALIBRATION</source>
        <translation>KALIBRIERUNG STOPPEN</translation>
    </message>
    <message>
        <source>STOP TEST</source>
        <translation>TEST STOPPEN</translation>
    </message>
    <message>
        <source>START CALIBRATION</source>
        <translation>KALIBRIERUNG STARTEN</translation>
    </message>
    <message>
        <source>START TEST</source>
        <translation>TEST STARTEN</translation>
    </message>
</context>
<context>
    <name>RepetitionTimes</name>
    <message>
        <source>SETTINGS</source>
        <translation>EINSTELLUNGEN</translation>
    </message>
    <message>
        <source>Repetition time 1</source>
        <translation>Wiederholungszeit 1</translation>
    </message>
    <message>
        <source>Repetition time 2</source>
        <translation>Wiederholungszeit 2</translation>
    </message>
    <message>
        <source>Repetition time 3</source>
        <translation>Wiederholungszeit 3</translation>
    </message>
</context>
<context>
    <name>SemaSequence</name>
    <message>
        <source>The sequence file cannot be read</source>
        <translation>Die Sequenzdatei ist nicht lesbar</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Fehlstart</translation>
    </message>
    <message>
        <source>No False</source>
        <translation>Kein Fehlstart</translation>
    </message>
</context>
<context>
    <name>SemaSequences</name>
    <message>
        <source>Sequence</source>
        <translation>Sequenz</translation>
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
    <name>Settings</name>
    <message>
        <source>SETTINGS</source>
        <translation>EINSTELLUNGEN</translation>
    </message>
    <message>
        <source>Repetition time %1</source>
        <translation>Wiederholungszeit %1</translation>
    </message>
    <message>
        <source>IP Addr.: </source>
        <translation>IP-Adr.: </translation>
    </message>
    <message>
        <source>Mask: </source>
        <translation>Maske: </translation>
    </message>
    <message>
        <source>Mode: </source>
        <translation>Modus: </translation>
    </message>
    <message>
        <source>Brightness Mode</source>
        <translation>Helligkeitsmodus</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Displayboard Mode</source>
        <translation>Anzeigetafel-Modus</translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>Displayboard</source>
        <translation>Anzeigetafel</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Datumsformat</translation>
    </message>
    <message>
        <source>DD/MM/YYYY</source>
        <translation>TT/MM/JJJJ</translation>
    </message>
    <message>
        <source>MM/DD/YYYY</source>
        <translation>MM/TT/JJJJ</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Zeitformat</translation>
    </message>
    <message>
        <source>Time Color</source>
        <translation>Zeitfarbe</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Power save</source>
        <translation>Energiesparen</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>1 Minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>2 Minutes</source>
        <translation>2 Minuten</translation>
    </message>
    <message>
        <source>5 Minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>10 Minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <source>30 Minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>High contrast</source>
        <translation>Hoher Kontrast</translation>
    </message>
    <message>
        <source>Touch point</source>
        <translation>Berührungspunkt</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>WiFi</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>Connected device: </source>
        <translation>Verbundenes Gerät: </translation>
    </message>
    <message>
        <source>Mode %1</source>
        <translation>Modus %1</translation>
    </message>
    <message>
        <source>Visualization mode</source>
        <translation>Anzeigemodus</translation>
    </message>
    <message>
        <source>Loudspeaker volume</source>
        <translation>Lautsprecher-Lautstärke</translation>
    </message>
    <message>
        <source>Sequence mode</source>
        <translation>Sequenzmodus</translation>
    </message>
    <message>
        <source>Auto Start</source>
        <translation>Autostart</translation>
    </message>
    <message>
        <source>Show time of day during sequence</source>
        <translation>Uhrzeit während der Sequenz zeigen</translation>
    </message>
    <message>
        <source>Advise false start</source>
        <translation>Fehlstart melden</translation>
    </message>
    <message>
        <source>Auto create start</source>
        <translation>Start automatisch erzeugen</translation>
    </message>
    <message>
        <source>Skip event if light is off</source>
        <translation>Ereignis bei Licht aus ignorieren</translation>
    </message>
    <message>
        <source>Restart on next full minute</source>
        <translation>Neustart zur nächsten vollen Minute</translation>
    </message>
    <message>
        <source>Visual. with disabled seq.</source>
        <translation>Anzeige bei inaktiver Seq.</translation>
    </message>
    <message>
        <source>All off</source>
        <translation>Alles aus</translation>
    </message>
    <message>
        <source>Only red</source>
        <translation>Nur rot</translation>
    </message>
    <message>
        <source>Blinking red</source>
        <translation>Rot blinkend</translation>
    </message>
    <message>
        <source>All on</source>
        <translation>Alles an</translation>
    </message>
    <message>
        <source>Delay show false start</source>
        <translation>Fehlstartanzeige verzögern</translation>
    </message>
    <message>
        <source>NO SETTINGS
AVAILABLE</source>
        <translation>KEINE EINSTELLUNGEN
VERFÜGBAR</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>Splash</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
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
    <name>Synchro</name>
    <message>
        <source>TIME</source>
        <translation>ZEIT</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>SYNCHRONIZATION
DONE!</source>
        <translation>SYNCHRONISATION
ERFOLGT!</translation>
    </message>
    <message>
        <source>ERROR TO
SYNCHRONIZE!</source>
        <translation>FEHLER BEI DER
SYNCHRONISATION!</translation>
    </message>
</context>
<context>
    <name>SynchroForm</name>
    <message>
        <source>WAIT START</source>
        <translation>WARTEN AUF START</translation>
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
        <translation>TESTEINSTELLUNGEN</translation>
    </message>
    <message>
        <source>Recovery mode</source>
        <translation>Wiederherstellungsmodus</translation>
    </message>
    <message>
        <source>Single LED test</source>
        <translation>Einzel-LED-Test</translation>
    </message>
    <message>
        <source>Continuous LED test</source>
        <translation>Dauer-LED-Test</translation>
    </message>
    <message>
        <source>Battery calibration</source>
        <translation>Akku-Kalibrierung</translation>
    </message>
    <message>
        <source>Oscillator Calibration</source>
        <translation>Oszillator-Kalibrierung</translation>
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