<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
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
        <translation>SALITA SENZA CONTO ALLA ROVESCIA</translation>
    </message>
    <message>
        <source>UP HILL COUNTDOWN</source>
        <translation>SALITA CON CONTO ALLA ROVESCIA</translation>
    </message>
</context>
</TS>