<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
        <translation>Einzeltreiber</translation>
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
    <name>MenuSynchroModel</name>
    <message>
        <source>Set Synchronization</source>
        <translation>Synchronisation einstellen</translation>
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
