<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>TestQt</name>
    <message>
        <source>qt</source>
        <translation>qt_en</translation>
    </message>
</context>
</TS>
