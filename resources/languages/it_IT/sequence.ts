<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::FileSystemProxyModel</name>
    <message>
        <source>The file holds no starting list</source>
        <translation>Il file non contiene una lista di partenza</translation>
    </message>
    <message>
        <source>Vantor Configurations Folder</source>
        <translation>Cartella configurazioni Vantor</translation>
    </message>
    <message>
        <source>USB Flash Drive</source>
        <translation>Chiavetta USB</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::Sema</name>
    <message>
        <source>Off</source>
        <translation>Spento</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rosso</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Giallo</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Pixel</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Yellow Pixel</source>
        <translation>Pixel giallo</translation>
    </message>
    <message>
        <source>Silent</source>
        <translation>Silenzioso</translation>
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
        <translation>Bip lungo</translation>
    </message>
    <message>
        <source>Long Boop</source>
        <translation>Boop lungo</translation>
    </message>
    <message>
        <source>Repetition time is not valid
The minimum time is %1</source>
        <translation>Tempo di ripetizione non valido
Il tempo minimo è %1</translation>
    </message>
    <message>
        <source>Error to get name</source>
        <translation>Errore nel leggere il nome</translation>
    </message>
    <message>
        <source>Error to get id</source>
        <translation>Errore nel leggere l'id</translation>
    </message>
    <message>
        <source>Error to get starting list</source>
        <translation>Errore nel leggere la lista di partenza</translation>
    </message>
    <message>
        <source>Error to set bib number</source>
        <translation>Errore nel numero di pettorale</translation>
    </message>
    <message>
        <source>Error to set time</source>
        <translation>Errore nell'orario</translation>
    </message>
    <message>
        <source>Error to set date</source>
        <translation>Errore nella data</translation>
    </message>
    <message>
        <source>The sequence has no intervals</source>
        <translation>La sequenza non ha intervalli</translation>
    </message>
    <message>
        <source>Please insert start time and repetition time</source>
        <translation>Inserire l'ora di partenza e il tempo di ripetizione</translation>
    </message>
    <message>
        <source>Next start</source>
        <translation>Prossima partenza</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::StartingListWorkbook</name>
    <message>
        <source>Row %1 of the workbook is not a start: it needs a bib number other than 0 and a time of day</source>
        <translation>La riga %1 della cartella di lavoro non è una partenza: servono un pettorale diverso da 0 e un'ora del giorno</translation>
    </message>
    <message>
        <source>Row %1 of the workbook has a start date that cannot be read</source>
        <translation>La riga %1 della cartella di lavoro ha una data di partenza illeggibile</translation>
    </message>
    <message>
        <source>The workbook holds no start</source>
        <translation>La cartella di lavoro non contiene partenze</translation>
    </message>
    <message>
        <source>Row %1 of the workbook is empty, but further rows follow it: remove the empty row</source>
        <translation>La riga %1 della cartella di lavoro è vuota, ma altre righe la seguono: eliminare la riga vuota</translation>
    </message>
    <message>
        <source>Row %1 of the workbook has a start time that is a plain number: give the cell a time format or write the time as text</source>
        <translation>La riga %1 della cartella di lavoro ha come ora di partenza un semplice numero: dare alla cella un formato orario o scrivere l'ora come testo</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::Sema</name>
    <message>
        <source>ALPINE SKI</source>
        <translation>SCI ALPINO</translation>
    </message>
    <message>
        <source>NORDIK SKI</source>
        <translation>SCI NORDICO</translation>
    </message>
    <message>
        <source>RALLY</source>
        <translation>RALLY</translation>
    </message>
    <message>
        <source>SHAKEDOWN</source>
        <translation>SHAKEDOWN</translation>
    </message>
    <message>
        <source>UP HILL NO COUNTDOWN</source>
        <translation>SALITA NO COUNTDOWN</translation>
    </message>
    <message>
        <source>UP HILL COUNTDOWN</source>
        <translation>SALITA CON COUNTDOWN</translation>
    </message>
</context>
<context>
    <name>Vl::Tavix3::UI::XlsxDocument</name>
    <message>
        <source>The file cannot be opened</source>
        <translation>Impossibile aprire il file</translation>
    </message>
    <message>
        <source>Old .xls workbooks cannot be read: save the list as .xlsx</source>
        <translation>Le vecchie cartelle di lavoro .xls non sono leggibili: salvare la lista come .xlsx</translation>
    </message>
    <message>
        <source>The file is not a workbook</source>
        <translation>Il file non è una cartella di lavoro</translation>
    </message>
    <message>
        <source>The workbook has no sheet</source>
        <translation>La cartella di lavoro non ha fogli</translation>
    </message>
    <message>
        <source>The workbook is too large</source>
        <translation>La cartella di lavoro è troppo grande</translation>
    </message>
    <message>
        <source>The workbook is damaged</source>
        <translation>La cartella di lavoro è danneggiata</translation>
    </message>
</context>
</TS>