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
        <source>Sprache &apos;%1&apos; nicht verfuegbar - das Programm startet in Deutsch</source>
        <translation>Language &apos;%1&apos; not available - the program starts in German</translation>
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
        <source>Qt-Sprachdatei: &apos;%1&apos;</source>
        <translation>Qt language file: &apos;%1&apos;</translation>
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
    <message>
        <source>Die Datei %1 kann nicht geschrieben werden !</source>
        <translation>The file %1 cannot be written!</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Die Ausgabe enthält %1 Zeilen !</source>
        <translation>The output has %1 lines!</translation>
    </message>
    <message>
        <source>Wirklich drucken ?</source>
        <translation>Really print?</translation>
    </message>
    <message>
        <source>Text-Datei (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
</context>
<context>
    <name>UpdaterMainWindow</name>
    <message>
        <source>gelöscht %1</source>
        <translation>deleted %1</translation>
    </message>
    <message>
        <source>Inhalt der Uninstall Information &apos;uninstall.dat&apos;</source>
        <translation>Contents of the uninstall information &apos;uninstall.dat&apos;</translation>
    </message>
    <message>
        <source>Deinstallation - Lösche Dateien</source>
        <translation>Uninstall - deleting files</translation>
    </message>
    <message>
        <source>Lösche Dateien</source>
        <translation>Deleting files</translation>
    </message>
    <message>
        <source>Deinstallation - Lösche Verzeichnisse</source>
        <translation>Uninstall - deleting folders</translation>
    </message>
    <message>
        <source>Lösche Verzeichnisse</source>
        <translation>Deleting folders</translation>
    </message>
    <message>
        <source>Deinstallation -mit Fehlern- beendet.</source>
        <translation>Uninstall finished -with errors-.</translation>
    </message>
    <message>
        <source>Deinstallation beendet.</source>
        <translation>Uninstall finished.</translation>
    </message>
    <message>
        <source>Kann Datei %1 nicht zum Lesen oeffnen</source>
        <translation>Cannot open file %1 for reading</translation>
    </message>
    <message>
        <source>ACHTUNG Uninstall-Information</source>
        <translation>ATTENTION: uninstall information</translation>
    </message>
    <message>
        <source>Bitte diese Datei nicht editieren oder loeschen</source>
        <translation>Please do not edit or delete this file</translation>
    </message>
    <message>
        <source>Kann Datei %1 nicht zum Schreiben oeffnen</source>
        <translation>Cannot open file %1 for writing</translation>
    </message>
    <message>
        <source>Kann Datei %1 nicht loeschen</source>
        <translation>Cannot delete file %1</translation>
    </message>
    <message>
        <source>ZIP nicht zu öffnen: %1</source>
        <translation>Cannot open ZIP: %1</translation>
    </message>
    <message>
        <source>Fehlerhafte ZIP-Datei Code: %1</source>
        <translation>Faulty ZIP file, code: %1</translation>
    </message>
    <message>
        <source>überspringe %1</source>
        <translation>skipping %1</translation>
    </message>
    <message>
        <source>Fehler bei entpacken von %1 : %2</source>
        <translation>Error unpacking %1 : %2</translation>
    </message>
    <message>
        <source>installiere %1</source>
        <translation>installing %1</translation>
    </message>
    <message>
        <source>Inhaltsverzeichnis ZIP Archiv</source>
        <translation>Contents of the ZIP archive</translation>
    </message>
    <message>
        <source>Größe komp.</source>
        <translation>Compr. size</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Prüfen Bitness ZIP Archiv</source>
        <translation>Checking the bitness of the ZIP archive</translation>
    </message>
    <message>
        <source>Fehler bei Entpacken von %1 : %2</source>
        <translation>Error unpacking %1 : %2</translation>
    </message>
    <message>
        <source>%1 (%2Bit) ist ungültig! Zielsystem ist %3Bit.</source>
        <translation>%1 (%2-bit) is invalid! The target system is %3-bit.</translation>
    </message>
    <message>
        <source>EXE bzw. DLL aus dem ZIP-Archiv passen nicht zur Bitness des Zielsystems. Das Archiv darf nicht installiert werden!</source>
        <translation>EXE or DLL files of the ZIP archive do not match the bitness of the target system. The archive must not be installed!</translation>
    </message>
    <message>
        <source>Fehler: Verzeichnis &apos;%1&apos; kann nicht angelegt werden</source>
        <translation>Error: folder &apos;%1&apos; cannot be created</translation>
    </message>
    <message>
        <source>ZIP Archiv installieren</source>
        <translation>Install ZIP archive</translation>
    </message>
    <message>
        <source>Zielverzeichnis: %1</source>
        <translation>Target folder: %1</translation>
    </message>
    <message>
        <source>ZIP Archiv ist leer !</source>
        <translation>ZIP archive is empty!</translation>
    </message>
    <message>
        <source>Installation fehlerhaft !</source>
        <translation>Installation failed!</translation>
    </message>
    <message>
        <source>Installation beendet.</source>
        <translation>Installation finished.</translation>
    </message>
</context>
<context>
    <name>allgemein_qt</name>
    <message>
        <source>Root-Verzeichnis der Anwendung nicht gefunden!</source>
        <translation>Root folder of the application not found!</translation>
    </message>
    <message>
        <source>Konnte HOME-Verzeichnis nicht finden.</source>
        <translation>Could not find the HOME folder.</translation>
    </message>
</context>
<context>
    <name>qmelde</name>
    <message>
        <source>FEHLER: </source>
        <translation>ERROR: </translation>
    </message>
    <message>
        <source>WARNUNG: </source>
        <translation>WARNING: </translation>
    </message>
    <message>
        <source>DEBUG: </source>
        <translation>DEBUG: </translation>
    </message>
    <message>
        <source>INFO: </source>
        <translation>INFO: </translation>
    </message>
    <message>
        <source>in Methode oder Funktion %1: </source>
        <translation>in method or function %1: </translation>
    </message>
    <message>
        <source>in Klasse %1, Methode %2: </source>
        <translation>in class %1, method %2: </translation>
    </message>
</context>
<context>
    <name>ui_cdiaglogbase</name>
    <message>
        <source>Dialog Thread Log</source>
        <translation>Dialog Thread Log</translation>
    </message>
    <message>
        <source>Gibt den Fensterinhalt auf Drucker aus</source>
        <translation>Prints the window content</translation>
    </message>
    <message>
        <source>Speichert den Fensterinhalt in eine Datei</source>
        <translation>Saves the window content to a file</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>widgetlog</name>
    <message>
        <source>Widget Thread Log</source>
        <translation>Widget Thread Log</translation>
    </message>
    <message>
        <source>Gibt den Fensterinhalt auf Drucker aus</source>
        <translation>Prints the window content</translation>
    </message>
    <message>
        <source>Speichert den Fensterinhalt in eine Datei</source>
        <translation>Saves the window content to a file</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
