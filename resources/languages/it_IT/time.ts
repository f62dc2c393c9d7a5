<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::DateTime</name>
    <message>
        <source>Day</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Days</translation>
    </message>
</context>
</TS>