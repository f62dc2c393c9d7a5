<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::FileSystemProxyModel</name>
    <message>
        <source>The file holds no starting list</source>
        <translation>Die Datei enthält keine Startliste</translation>
    </message>
    <message>
        <source>Vantor Configurations Folder</source>
        <translation>Vantor-Konfigurationsordner</translation>
    </message>
    <message>
        <source>USB Flash Drive</source>
        <translation>USB-Stick</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::Sema</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Pixel</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Yellow Pixel</source>
        <translation>Gelbes Pixel</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Bip</source>
        <translation>Bip</translation>
    </message>
    <message>
        <source>Boop</source>
        <translation>Boop</translation>
    </message>
    <message>
        <source>Long Bip</source>
        <translation>Langer Bip</translation>
    </message>
    <message>
        <source>Long Boop</source>
        <translation>Langer Boop</translation>
    </message>
    <message>
        <source>Repetition time is not valid
The minimum time is %1</source>
        <translation>Wiederholzeit ungültig
Die Mindestzeit beträgt %1</translation>
    </message>
    <message>
        <source>Error to get name</source>
        <translation>Fehler beim Lesen des Namens</translation>
    </message>
    <message>
        <source>Error to get id</source>
        <translation>Fehler beim Lesen der ID</translation>
    </message>
    <message>
        <source>Error to get starting list</source>
        <translation>Fehler beim Lesen der Startliste</translation>
    </message>
    <message>
        <source>Error to set bib number</source>
        <translation>Fehler bei der Startnummer</translation>
    </message>
    <message>
        <source>Error to set time</source>
        <translation>Fehler bei der Uhrzeit</translation>
    </message>
    <message>
        <source>Error to set date</source>
        <translation>Fehler beim Datum</translation>
    </message>
    <message>
        <source>The sequence has no intervals</source>
        <translation>Die Sequenz hat keine Intervalle</translation>
    </message>
    <message>
        <source>Please insert start time and repetition time</source>
        <translation>Bitte Startzeit und Wiederholzeit eingeben</translation>
    </message>
    <message>
        <source>Next start</source>
        <translation>Nächster Start</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::StartingListWorkbook</name>
    <message>
        <source>Row %1 of the workbook is not a start: it needs a bib number other than 0 and a time of day</source>
        <translation>Zeile %1 der Arbeitsmappe ist kein Start: sie braucht eine Startnummer ungleich 0 und eine Uhrzeit</translation>
    </message>
    <message>
        <source>Row %1 of the workbook has a start date that cannot be read</source>
        <translation>Zeile %1 der Arbeitsmappe hat ein unlesbares Startdatum</translation>
    </message>
    <message>
        <source>The workbook holds no start</source>
        <translation>Die Arbeitsmappe enthält keinen Start</translation>
    </message>
    <message>
        <source>Row %1 of the workbook is empty, but further rows follow it: remove the empty row</source>
        <translation>Zeile %1 der Arbeitsmappe ist leer, aber es folgen weitere Zeilen: die leere Zeile entfernen</translation>
    </message>
    <message>
        <source>Row %1 of the workbook has a start time that is a plain number: give the cell a time format or write the time as text</source>
        <translation>Zeile %1 der Arbeitsmappe hat als Startzeit eine bloße Zahl: der Zelle ein Zeitformat geben oder die Zeit als Text schreiben</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::Sema</name>
    <message>
        <source>ALPINE SKI</source>
        <translation>SKI ALPIN</translation>
    </message>
    <message>
        <source>NORDIK SKI</source>
        <translation>SKI NORDISCH</translation>
    </message>
    <message>
        <source>RALLY</source>
        <translation>RALLYE</translation>
    </message>
    <message>
        <source>SHAKEDOWN</source>
        <translation>SHAKEDOWN</translation>
    </message>
    <message>
        <source>UP HILL NO COUNTDOWN</source>
        <translation>BERG OHNE COUNTDOWN</translation>
    </message>
    <message>
        <source>UP HILL COUNTDOWN</source>
        <translation>BERG MIT COUNTDOWN</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::XlsxDocument</name>
    <message>
        <source>The file cannot be opened</source>
        <translation>Die Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Old .xls workbooks cannot be read: save the list as .xlsx</source>
        <translation>Alte .xls-Arbeitsmappen können nicht gelesen werden: die Liste als .xlsx speichern</translation>
    </message>
    <message>
        <source>The file is not a workbook</source>
        <translation>Die Datei ist keine Arbeitsmappe</translation>
    </message>
    <message>
        <source>The workbook has no sheet</source>
        <translation>Die Arbeitsmappe hat kein Tabellenblatt</translation>
    </message>
    <message>
        <source>The workbook is too large</source>
        <translation>Die Arbeitsmappe ist zu groß</translation>
    </message>
    <message>
        <source>The workbook is damaged</source>
        <translation>Die Arbeitsmappe ist beschädigt</translation>
    </message>
</context>
</TS>