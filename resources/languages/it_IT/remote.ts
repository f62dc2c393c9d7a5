<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::SerialPathFinder</name>
    <message>
        <source>Sequence not exists</source>
        <translation>La sequenza non esiste</translation>
    </message>
    <message>
        <source>Error sequence</source>
        <translation>Errore nella sequenza</translation>
    </message>
    <message>
        <source>Error sequence Id</source>
        <translation>Errore nell'Id della sequenza</translation>
    </message>
    <message>
        <source>Error sequence name</source>
        <translation>Errore nel nome della sequenza</translation>
    </message>
    <message>
        <source>Error sequence mode</source>
        <translation>Errore nella modalità della sequenza</translation>
    </message>
    <message>
        <source>Error start time</source>
        <translation>Errore nell'ora di partenza</translation>
    </message>
    <message>
        <source>Error repetition time</source>
        <translation>Errore nel tempo di ripetizione</translation>
    </message>
    <message>
        <source>Error starting list</source>
        <translation>Errore nella lista di partenza</translation>
    </message>
    <message>
        <source>Error starting list Id</source>
        <translation>Errore nell'Id della lista di partenza</translation>
    </message>
    <message>
        <source>Error starting list name</source>
        <translation>Errore nel nome della lista di partenza</translation>
    </message>
    <message>
        <source>Starting list not exists</source>
        <translation>La lista di partenza non esiste</translation>
    </message>
    <message>
        <source>Error color</source>
        <translation>Errore nel colore</translation>
    </message>
    <message>
        <source>Error sound</source>
        <translation>Errore nel suono</translation>
    </message>
    <message>
        <source>Error wifi SSID</source>
        <translation>Errore nell'SSID wifi</translation>
    </message>
    <message>
        <source>Error language</source>
        <translation>Errore nella lingua</translation>
    </message>
    <message>
        <source>Error date format</source>
        <translation>Errore nel formato della data</translation>
    </message>
    <message>
        <source>Error time format</source>
        <translation>Errore nel formato dell'ora</translation>
    </message>
    <message>
        <source>Error off mode</source>
        <translation>Errore nella modalità di spegnimento</translation>
    </message>
    <message>
        <source>Error visualization mode</source>
        <translation>Errore nella modalità di visualizzazione</translation>
    </message>
    <message>
        <source>Error time color</source>
        <translation>Errore nel colore dell'ora</translation>
    </message>
    <message>
        <source>Error to set GPS mode because Ambrel is enabled</source>
        <translation>Impossibile impostare la modalità GPS perché Ambrel è attivo</translation>
    </message>
    <message>
        <source>Error to show the sequence screen</source>
        <translation>Impossibile mostrare la schermata della sequenza</translation>
    </message>
    <message>
        <source>Error delay false start</source>
        <translation>Errore ritardo falsa partenza</translation>
    </message>
    <message>
        <source>Error because the program is closing</source>
        <translation>Errore: il programma si sta chiudendo</translation>
    </message>
    <message>
        <source>Error to store the settings</source>
        <translation>Errore nel salvataggio delle impostazioni</translation>
    </message>
</context>
</TS>