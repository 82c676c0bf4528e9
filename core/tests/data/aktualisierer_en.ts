<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>QObject</name>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Französisch</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Qt-Sprachdatei: '%1'</source>
        <translation>Qt language file: '%1'</translation>
    </message>
    <message>
        <source>Hallo Welt</source>
        <translation>Hello world</translation>
    </message>
</context>
<context>
    <name>TestProdukt</name>
    <message>
        <source>sprache</source>
        <translation>en</translation>
    </message>
</context>
</TS>
