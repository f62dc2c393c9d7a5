<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::Application</name>
    <message>
        <source>DONE!</source>
        <translation>FATTO!</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Esportazione fallita</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Reimposta default</translation>
    </message>
</context>
</TS>