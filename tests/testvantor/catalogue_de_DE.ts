<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Backend</name>
    <message>
        <source>Connection was refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
</context>
</TS>
