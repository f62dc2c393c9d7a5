<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::GPS</name>
    <message>
        <source>Disabled</source>
        <translation>Disattivato</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::SystemHw</name>
    <message>
        <source>Calibration is not allowed in emulator mode</source>
        <translation>Calibrazione non consentita in modalità emulatore</translation>
    </message>
    <message>
        <source>Error deactivating battery calibration</source>
        <translation>Errore nella disattivazione della calibrazione della batteria</translation>
    </message>
    <message>
        <source>DONE!</source>
        <translation>FATTO!</translation>
    </message>
    <message>
        <source>Tones cannot be played: no sound card or PC speaker</source>
        <translation>Impossibile riprodurre i toni: nessuna scheda audio né altoparlante del PC</translation>
    </message>
    <message>
        <source>Tones can be played again</source>
        <translation>I toni possono essere riprodotti di nuovo</translation>
    </message>
</context>
</TS>