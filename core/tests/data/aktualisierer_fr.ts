<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>QObject</name>
    <message>
        <source>Hallo Welt</source>
        <translation>Bonjour le monde</translation>
    </message>
</context>
<context>
    <name>TestProdukt</name>
    <message>
        <source>sprache</source>
        <translation>fr</translation>
    </message>
</context>
</TS>
