<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::EventsLog</name>
    <message>
        <source>Events log cannot be written</source>
        <translation>Registro eventi non scrivibile</translation>
    </message>
</context>
</TS>