<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::GPS</name>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::SystemHw</name>
    <message>
        <source>Calibration is not allowed in emulator mode</source>
        <translation>Kalibrierung im Emulatormodus nicht erlaubt</translation>
    </message>
    <message>
        <source>Error deactivating battery calibration</source>
        <translation>Fehler beim Deaktivieren der Akkukalibrierung</translation>
    </message>
    <message>
        <source>DONE!</source>
        <translation>FERTIG!</translation>
    </message>
    <message>
        <source>Tones cannot be played: no sound card or PC speaker</source>
        <translation>Töne können nicht abgespielt werden: keine Soundkarte und kein PC-Lautsprecher</translation>
    </message>
    <message>
        <source>Tones can be played again</source>
        <translation>Töne können wieder abgespielt werden</translation>
    </message>
</context>
</TS>