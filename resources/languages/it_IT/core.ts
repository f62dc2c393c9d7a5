<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it_IT">
<context>
    <name>Vl::Tavix3::UI::AppSettingsStore</name>
    <message>
        <source>Settings cannot be stored</source>
        <translation>Impostazioni non salvate</translation>
    </message>
</context>
</TS>