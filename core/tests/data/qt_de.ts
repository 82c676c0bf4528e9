<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>TestQt</name>
    <message>
        <source>qt</source>
        <translation>qt_de</translation>
    </message>
</context>
</TS>
