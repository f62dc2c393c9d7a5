<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::Application</name>
    <message>
        <source>DONE!</source>
        <translation>FERTIG!</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Zurücks. auf Default</translation>
    </message>
</context>
</TS>