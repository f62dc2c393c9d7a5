<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::SerialPathFinder</name>
    <message>
        <source>Sequence not exists</source>
        <translation>Die Sequenz existiert nicht</translation>
    </message>
    <message>
        <source>Error sequence</source>
        <translation>Fehler in der Sequenz</translation>
    </message>
    <message>
        <source>Error sequence Id</source>
        <translation>Fehler in der Sequenz-Id</translation>
    </message>
    <message>
        <source>Error sequence name</source>
        <translation>Fehler im Sequenznamen</translation>
    </message>
    <message>
        <source>Error sequence mode</source>
        <translation>Fehler im Sequenzmodus</translation>
    </message>
    <message>
        <source>Error start time</source>
        <translation>Fehler in der Startzeit</translation>
    </message>
    <message>
        <source>Error repetition time</source>
        <translation>Fehler in der Wiederholzeit</translation>
    </message>
    <message>
        <source>Error starting list</source>
        <translation>Fehler in der Startliste</translation>
    </message>
    <message>
        <source>Error starting list Id</source>
        <translation>Fehler in der Startlisten-Id</translation>
    </message>
    <message>
        <source>Error starting list name</source>
        <translation>Fehler im Startlistennamen</translation>
    </message>
    <message>
        <source>Starting list not exists</source>
        <translation>Die Startliste existiert nicht</translation>
    </message>
    <message>
        <source>Error color</source>
        <translation>Fehler in der Farbe</translation>
    </message>
    <message>
        <source>Error sound</source>
        <translation>Fehler im Ton</translation>
    </message>
    <message>
        <source>Error wifi SSID</source>
        <translation>Fehler in der WLAN-SSID</translation>
    </message>
    <message>
        <source>Error language</source>
        <translation>Fehler in der Sprache</translation>
    </message>
    <message>
        <source>Error date format</source>
        <translation>Fehler im Datumsformat</translation>
    </message>
    <message>
        <source>Error time format</source>
        <translation>Fehler im Zeitformat</translation>
    </message>
    <message>
        <source>Error off mode</source>
        <translation>Fehler im Aus-Modus</translation>
    </message>
    <message>
        <source>Error visualization mode</source>
        <translation>Fehler im Anzeigemodus</translation>
    </message>
    <message>
        <source>Error time color</source>
        <translation>Fehler in der Zeitfarbe</translation>
    </message>
    <message>
        <source>Error to set GPS mode because Ambrel is enabled</source>
        <translation>GPS-Modus kann nicht gesetzt werden, weil Ambrel aktiv ist</translation>
    </message>
    <message>
        <source>Error to show the sequence screen</source>
        <translation>Der Sequenz-Bildschirm kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>Error delay false start</source>
        <translation>Fehler Verzögerung Fehlstart</translation>
    </message>
    <message>
        <source>Error because the program is closing</source>
        <translation>Fehler: das Programm wird beendet</translation>
    </message>
    <message>
        <source>Error to store the settings</source>
        <translation>Fehler beim Speichern der Einstellungen</translation>
    </message>
</context>
</TS>