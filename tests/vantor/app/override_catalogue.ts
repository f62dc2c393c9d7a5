<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Vl::Tavix3::UI::Application</name>
    <message>
        <source>DONE!</source>
        <translation>DONE! (working directory)</translation>
    </message>
</context>
</TS>
