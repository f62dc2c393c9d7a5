<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::EventsLog</name>
    <message>
        <source>Events log cannot be written</source>
        <translation>Ereignislog nicht schreibbar</translation>
    </message>
</context>
</TS>