<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>CQFehler</name>
    <message>
        <source>FATALER FEHLER</source>
        <translation>FATAL ERROR</translation>
    </message>
    <message>
        <source>PROGRAMMIERFEHLER</source>
        <translation>PROGRAMMING ERROR</translation>
    </message>
    <message>
        <source>SYNTAXFEHLER</source>
        <translation>SYNTAX ERROR</translation>
    </message>
    <message>
        <source>EINGABEFEHLER</source>
        <translation>INPUT ERROR</translation>
    </message>
    <message>
        <source>WARNUNG</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <source>INFO</source>
        <translation>INFO</translation>
    </message>
    <message>
        <source>DEBUG</source>
        <translation>DEBUG</translation>
    </message>
    <message>
        <source>KEIN GUELTIGER FEHLERTYP</source>
        <translation>NO VALID ERROR TYPE</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>vom</source>
        <translation>of</translation>
    </message>
    <message>
        <source>Aktualisieren einer Anwendung</source>
        <translation>Updating an application</translation>
    </message>
    <message>
        <source>aus ZIP-Archiv</source>
        <translation>from a ZIP archive</translation>
    </message>
    <message>
        <source>Bitte &lt;Enter&gt; druecken
</source>
        <translation>Please press &lt;Enter&gt;
</translation>
    </message>
    <message>
        <source>FATALER FEHLER</source>
        <translation>FATAL ERROR</translation>
    </message>
    <message>
        <source>PROGRAMMIERFEHLER</source>
        <translation>PROGRAMMING ERROR</translation>
    </message>
    <message>
        <source>SYNTAXFEHLER</source>
        <translation>SYNTAX ERROR</translation>
    </message>
    <message>
        <source>EINGABEFEHLER</source>
        <translation>INPUT ERROR</translation>
    </message>
    <message>
        <source>WARNUNG</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <source>INFO</source>
        <translation>INFO</translation>
    </message>
    <message>
        <source>DEBUG</source>
        <translation>DEBUG</translation>
    </message>
    <message>
        <source>KEIN GUELTIGER FEHLERTYP</source>
        <translation>NO VALID ERROR TYPE</translation>
    </message>
    <message>
        <source>FEHLER: </source>
        <translation>ERROR: </translation>
    </message>
    <message>
        <source>WARNUNG: </source>
        <translation>WARNING: </translation>
    </message>
    <message>
        <source>INFO: </source>
        <translation>INFO: </translation>
    </message>
    <message>
        <source>DEBUG: </source>
        <translation>DEBUG: </translation>
    </message>
    <message>
        <source>in Methode oder Funktion  %1: </source>
        <translation>in method or function %1: </translation>
    </message>
    <message>
        <source>in Klasse %1, Methode %2: </source>
        <translation>in class %1, method %2: </translation>
    </message>
    <message>
        <source>Argument kann nicht zugeordnet werden</source>
        <translation>Argument cannot be assigned</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Jahr: </source>
        <translation>Year: </translation>
    </message>
    <message>
        <source>Zeit: </source>
        <translation>Time: </translation>
    </message>
    <message>
        <source>Die Ausgabe der Zahl &gt;</source>
        <translation>Writing the number &gt;</translation>
    </message>
    <message>
        <source>Bei Exponentialdarstellung Ausgabe der Zahl &gt;</source>
        <translation>In exponential notation, writing the number &gt;</translation>
    </message>
    <message>
        <source>Bei Fixkommadarstellung Ausgabe der Zahl &gt;</source>
        <translation>In fixed-point notation, writing the number &gt;</translation>
    </message>
    <message>
        <source>Bei variabler Kommadarstellung Ausgabe der Zahl &gt;</source>
        <translation>In variable-point notation, writing the number &gt;</translation>
    </message>
    <message>
        <source>&lt; innerhalb von &gt;</source>
        <translation>&lt; within &gt;</translation>
    </message>
    <message>
        <source>&lt; Zeichen Breite und &gt;</source>
        <translation>&lt; characters width and &gt;</translation>
    </message>
    <message>
        <source>&lt; Nachkommastellen nicht moeglich!</source>
        <translation>&lt; decimal places not possible!</translation>
    </message>
    <message>
        <source>&lt; Zeichen Breite nicht moeglich!</source>
        <translation>&lt; characters width not possible!</translation>
    </message>
    <message>
        <source>&lt; Zeichen Breite nicht moeglich! 0 wird ausgegeben.</source>
        <translation>&lt; characters width not possible! 0 is written.</translation>
    </message>
    <message>
        <source>Breiteangabe breite=%1 nicht im erlaubten Bereich: 0&lt;=breite&lt;100.</source>
        <translation>Width breite=%1 not in the allowed range: 0&lt;=breite&lt;100.</translation>
    </message>
    <message>
        <source>Ausgabe einer Zahl (%1) uebersteigt angegebene Breite (%2)</source>
        <translation>Output of a number (%1) exceeds the given width (%2)</translation>
    </message>
    <message>
        <source>Ungueltiger Eingabewert in itohex()</source>
        <translation>Invalid input value in itohex()</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist keine Hexadezimalziffer!</source>
        <translation>&apos;%1&apos; is no hexadecimal digit!</translation>
    </message>
    <message>
        <source>Fehler bei Umwandlung von String in int: </source>
        <translation>Error converting string to int: </translation>
    </message>
    <message>
        <source>Breiteangabe breite=%1 nicht im erlaubten Bereich: 0&lt;=breite&lt;%2.</source>
        <translation>Width breite=%1 not in the allowed range: 0&lt;=breite&lt;%2.</translation>
    </message>
    <message>
        <source>Gesamtstellenangabe gesamtstellen=</source>
        <translation>Total digits gesamtstellen=</translation>
    </message>
    <message>
        <source>nicht im erlaubten Bereich: 0&lt;=gesamtstellen&lt;100.</source>
        <translation>not in the allowed range: 0&lt;=gesamtstellen&lt;100.</translation>
    </message>
    <message>
        <source> für Funktion ftoa(const double&amp; zahl, const int&amp; gesamtstellen, const int&amp; nachkommastellen, const int&amp; art, const double&amp; schwellwert, const string&amp; nullstring) in &apos;allg&apos; </source>
        <translation> for function ftoa(const double&amp; zahl, const int&amp; gesamtstellen, const int&amp; nachkommastellen, const int&amp; art, const double&amp; schwellwert, const string&amp; nullstring) in &apos;allg&apos; </translation>
    </message>
    <message>
        <source>Zahl kann nicht dargestellt werden</source>
        <translation>Number cannot be shown</translation>
    </message>
    <message>
        <source>Buchstabe bei Umwandlung von string in double: %1</source>
        <translation>Letter while converting string to double: %1</translation>
    </message>
    <message>
        <source>In get_line(): Unknown Escape-Sequence: &apos;\%1</source>
        <translation>In get_line(): Unknown Escape-Sequence: &apos;\%1</translation>
    </message>
    <message>
        <source>System-Sprachdatei &apos;%1&apos; ist nicht lesbar</source>
        <translation>System language file &apos;%1&apos; cannot be read</translation>
    </message>
    <message>
        <source>Fehlende Qt-Sprachdatei &apos;%1&apos;</source>
        <translation>Missing Qt language file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Qt-Sprachdatei &apos;%1&apos; ist nicht lesbar</source>
        <translation>Qt language file &apos;%1&apos; cannot be read</translation>
    </message>
    <message>
        <source>System-Sprachdatei: &apos;%1&apos;</source>
        <translation>System language file: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Id in dieser Variable nicht unterstüzt: %1</source>
        <translation>Id not supported in this variable: %1</translation>
    </message>
    <message>
        <source>Variable %1 muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert</source>
        <translation>Variable %1 must be set in the current calculation method and has no value</translation>
    </message>
    <message>
        <source>Wert %1 darf nicht negativ sein</source>
        <translation>Value %1 must not be negative</translation>
    </message>
    <message>
        <source>%1 ist unzulaessiger Wert fuer boolsche Variable</source>
        <translation>%1 is not an allowed value for a boolean variable</translation>
    </message>
    <message>
        <source>unbekannter Typ %1</source>
        <translation>unknown type %1</translation>
    </message>
    <message>
        <source>unbegrenzt</source>
        <translation>unlimited</translation>
    </message>
    <message>
        <source>unplausibel: Variablenbeschreiber nicht in Liste</source>
        <translation>implausible: variable descriptor not in list</translation>
    </message>
    <message>
        <source>Zeile: %1 - Methode nicht implementiert! - nichts passiert</source>
        <translation>Line: %1 - method not implemented! - nothing happens</translation>
    </message>
    <message>
        <source>Fehler in cvariablebasis/string einheit_in_string(const EEinheit&amp; aw) !!!</source>
        <translation>Error in cvariablebasis/string einheit_in_string(const EEinheit&amp; aw) !!!</translation>
    </message>
    <message>
        <source>Steuervariable %1 bereits in Liste</source>
        <translation>Control variable %1 already in list</translation>
    </message>
    <message>
        <source>Vorlage wurde bereits aufgenommen</source>
        <translation>Template has already been added</translation>
    </message>
    <message>
        <source>intern</source>
        <translation>internal</translation>
    </message>
    <message>
        <source>Ja - alle Warnungen werden unterdrückt</source>
        <translation>Yes - all warnings are suppressed</translation>
    </message>
    <message>
        <source>Ja - alle Meldungen werden unterdrückt</source>
        <translation>Yes - all messages are suppressed</translation>
    </message>
    <message>
        <source>Ja - zusätzliche Ausgaben, welche bei der Analyse von Programmfehlern nützlich sind</source>
        <translation>Yes - additional output that helps to analyse program errors</translation>
    </message>
    <message>
        <source>Ja - Fehler beim Programmablauf werden in der Datei fehler.txt im Anwenderverzeichnis protokolliert</source>
        <translation>Yes - errors while the program runs are logged in the file fehler.txt in the user folder</translation>
    </message>
    <message>
        <source>internes Dezimaltrennzeichen - wird bei Export- und Import umgesetzt</source>
        <translation>internal decimal separator - converted on export and import</translation>
    </message>
    <message>
        <source>Dezimaltrennzeichen bei Export- und Importfunktionen
Komma bei Verwendung der deutschen Excel-Einstellungen
Punkt bei Verwendung der englischen Excel-Einstellungen</source>
        <translation>Decimal separator of the export and import functions
Comma with German Excel settings
Point with English Excel settings</translation>
    </message>
    <message>
        <source>zurzeit ohne Bedeutung</source>
        <translation>currently without meaning</translation>
    </message>
    <message>
        <source>unter TALVOR vermutlich ohne Bedeutung</source>
        <translation>probably without meaning under TALVOR</translation>
    </message>
    <message>
        <source>Kennwort des Proxy Users</source>
        <translation>Password of the proxy user</translation>
    </message>
    <message>
        <source>Kennwort des Mapi Users</source>
        <translation>Password of the MAPI user</translation>
    </message>
    <message>
        <source>Einfärbung des Hintergrundes, für Datenfelder welche nicht zum FNN Format gehören</source>
        <translation>Background colour of data fields that do not belong to the FNN format</translation>
    </message>
    <message>
        <source>Schriftfarbe Protokoll bei Fehlern</source>
        <translation>Log text colour for errors</translation>
    </message>
    <message>
        <source>Schriftfarbe Protokoll bei Warnungen</source>
        <translation>Log text colour for warnings</translation>
    </message>
    <message>
        <source>Einfärbung des Hintergrundes, bei fehlendem Pflichteintrag</source>
        <translation>Background colour of a missing mandatory entry</translation>
    </message>
    <message>
        <source>blau</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>grau</source>
        <translation>grey</translation>
    </message>
    <message>
        <source>gruen</source>
        <translation>green</translation>
    </message>
    <message>
        <source>hellgruen</source>
        <translation>light green</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>red</translation>
    </message>
    <message>
        <source>weiss</source>
        <translation>white</translation>
    </message>
    <message>
        <source>Reaktion auf Mausrad in Comboboxen</source>
        <translation>Reaction to the mouse wheel in combo boxes</translation>
    </message>
    <message>
        <source>Muster zum Erkennen von URLs</source>
        <translation>Pattern that recognises URLs</translation>
    </message>
    <message>
        <source>Tabbreite (Pixel) in Textedit</source>
        <translation>Tab width (pixels) in text edits</translation>
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
        <source>Thai</source>
        <translation>Thai</translation>
    </message>
</context>
</TS>
