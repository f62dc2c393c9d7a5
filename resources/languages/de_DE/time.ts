<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::DateTime</name>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
</context>
</TS>