<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>CCBaseLog</name>
    <message>
        <source>Text-Datei (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>Abbruch durch den Anwender</source>
        <translation>Cancelled by the user</translation>
    </message>
    <message>
        <source>Zeige Vorgang</source>
        <translation>Show process</translation>
    </message>
    <message>
        <source>Zeige Vorgangsprotokoll</source>
        <translation>Show the process log</translation>
    </message>
</context>
<context>
    <name>CCDiagLog</name>
    <message>
        <source>Text-Datei (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
</context>
<context>
    <name>CCWidgetLog</name>
    <message>
        <source>Text-Datei (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
</context>
<context>
    <name>CDockLog</name>
    <message>
        <source>Protokollfenster</source>
        <translation>Log window</translation>
    </message>
    <message>
        <source>Ein-/ausblenden des Protokollfensters</source>
        <translation>Show/hide the log window</translation>
    </message>
    <message>
        <source>Protokollfenster

Hierüber kann das Protokollfenster
ein- bzw. ausgeblendet werden.</source>
        <translation>Log window

Shows or hides
the log window.</translation>
    </message>
</context>
<context>
    <name>CHilfeSystem</name>
    <message>
        <source>Qt-Assistant nicht gefunden!</source>
        <translation>Qt Assistant not found!</translation>
    </message>
</context>
<context>
    <name>CQFehler</name>
    <message>
        <source>in Methode oder Funktion  %1: </source>
        <translation>in method or function %1: </translation>
    </message>
    <message>
        <source>in Klasse %1, Methode %2: </source>
        <translation>in class %1, method %2: </translation>
    </message>
</context>
<context>
    <name>CQIOZeileExcel</name>
    <message>
        <source>Es sind keine Elemente enthalten!</source>
        <translation>There are no elements!</translation>
    </message>
    <message>
        <source>Index %1 nicht zulaessig! Erlaubter Indexbereich: 0 bis %2</source>
        <translation>Index %1 not allowed! Allowed index range: 0 to %2</translation>
    </message>
</context>
<context>
    <name>CQWorkspace</name>
    <message>
        <source>Stay</source>
        <translation>Stay</translation>
    </message>
</context>
<context>
    <name>CSpeichernButton</name>
    <message>
        <source>Speichern als Text</source>
        <translation>Save as text</translation>
    </message>
    <message>
        <source>Speichern unter... als Text</source>
        <translation>Save as a text file...</translation>
    </message>
    <message>
        <source>Speichern als HTML</source>
        <translation>Save as HTML</translation>
    </message>
    <message>
        <source>Speichern unter... als HTML</source>
        <translation>Save as an HTML file...</translation>
    </message>
    <message>
        <source>Speichern als PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Speichern unter... als PDF</source>
        <translation>Save as a PDF file...</translation>
    </message>
    <message>
        <source>Speichert den Fensterinhalt in eine Datei</source>
        <translation>Saves the window content to a file</translation>
    </message>
</context>
<context>
    <name>CSprache</name>
    <message>
        <source>Qt-Sprachdatei: &apos;%1&apos;</source>
        <translation>Qt language file: &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>CTextEdit</name>
    <message>
        <source>STRG+Mausklick zum Öffnen der Verknüpfung</source>
        <translation>Ctrl+click to open the link</translation>
    </message>
</context>
<context>
    <name>CUninstallInfo</name>
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
</context>
<context>
    <name>CVariableSteuerFarbe</name>
    <message>
        <source>CVariableSteuerFarbe: Farbangabe (%1) enthaelt keine 7 Zeichen (Form: #rrggbb muss eingehalten werden)</source>
        <translation>CVariableSteuerFarbe: colour value (%1) does not have 7 characters (the form #rrggbb must be kept)</translation>
    </message>
</context>
<context>
    <name>CWorkThread</name>
    <message>
        <source>Deinstallation %1</source>
        <translation>Uninstall %1</translation>
    </message>
    <message>
        <source>Bei der Deinstallation von %1 sind Fehler aufgetreten !</source>
        <translation>Errors occurred while uninstalling %1!</translation>
    </message>
    <message>
        <source>Bitte löschen Sie verbleibende Dateien im Verzeichnis</source>
        <translation>Please delete the remaining files in the folder</translation>
    </message>
    <message>
        <source>bzw. das Verzeichnis selbst manuell.</source>
        <translation>or the folder itself by hand.</translation>
    </message>
    <message>
        <source>Installation %1</source>
        <translation>Installation %1</translation>
    </message>
    <message>
        <source>Bei der Installation von %1 sind Fehler aufgetreten !</source>
        <translation>Errors occurred while installing %1!</translation>
    </message>
    <message>
        <source>Bitte beenden Sie diese Anwendung manuell (X).</source>
        <translation>Please close this application by hand (X).</translation>
    </message>
</context>
<context>
    <name>CZeitVDN</name>
    <message>
        <source>8[dd.MM.yy], 10[ddMMyyhhmm], 14[dd.MM.yy hh:mm], 16[dd.MM.yyyy hh:mm], 17[dd.MM.yy hh:mm:ss]</source>
        <translation>8[dd.MM.yy], 10[ddMMyyhhmm], 14[dd.MM.yy hh:mm], 16[dd.MM.yyyy hh:mm], 17[dd.MM.yy hh:mm:ss]</translation>
    </message>
    <message>
        <source>19[dd.MM.yyyy hh:mm:ss]</source>
        <translation>19[dd.MM.yyyy hh:mm:ss]</translation>
    </message>
    <message>
        <source>23[02.01.2004 09:25:56.678]</source>
        <translation>23[02.01.2004 09:25:56.678]</translation>
    </message>
    <message>
        <source>23[yyyy-MM-ddThh:mm:ss.uuu]</source>
        <translation>23[yyyy-MM-ddThh:mm:ss.uuu]</translation>
    </message>
    <message>
        <source>24[yyyy-MM-ddThh:mm:ss.uuuZ]</source>
        <translation>24[yyyy-MM-ddThh:mm:ss.uuuZ]</translation>
    </message>
    <message>
        <source>Zeitstring muss %1 Zeichen enthalten</source>
        <translation>Time string must have %1 characters</translation>
    </message>
</context>
<context>
    <name>CZipLauf</name>
    <message>
        <source>ZIP Archiv öffnen</source>
        <translation>Open ZIP archive</translation>
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
    <name>DialogThreadLog</name>
    <message>
        <source>Dialog Thread Log</source>
        <translation>Dialog Thread Log</translation>
    </message>
    <message>
        <source>Widget Thread Log</source>
        <translation>Widget Thread Log</translation>
    </message>
    <message>
        <source>icon</source>
        <translation>icon</translation>
    </message>
    <message>
        <source>fueberschrift</source>
        <translation>fueberschrift</translation>
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
        <source>B3</source>
        <translation>B3</translation>
    </message>
    <message>
        <source>B2</source>
        <translation>B2</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>%1 Version %2 vom %3</source>
        <translation>%1 Version %2 of %3</translation>
    </message>
    <message>
        <source>- silent Modus -</source>
        <translation>- silent mode -</translation>
    </message>
    <message>
        <source>Die Datei %1 ist bereits vorhanden !</source>
        <translation>The file %1 already exists!</translation>
    </message>
    <message>
        <source>Überschreiben ?</source>
        <translation>Overwrite?</translation>
    </message>
    <message>
        <source>Text-Datei (*.%1)</source>
        <translation>Text file (*.%1)</translation>
    </message>
    <message>
        <source>HTML-Datei (*.%1)</source>
        <translation>HTML file (*.%1)</translation>
    </message>
    <message>
        <source>PDF-Datei (*.%1)</source>
        <translation>PDF file (*.%1)</translation>
    </message>
    <message>
        <source>Programmende mit Fehlern</source>
        <translation>Program ended with errors</translation>
    </message>
</context>
<context>
    <name>UpdaterMainWindow</name>
    <message>
        <source>Zielverzeichnis %1 kann nicht geöffnet werden</source>
        <translation>Target folder %1 cannot be opened</translation>
    </message>
    <message>
        <source>Zielverzeichnis %1 wird von einem anderen Programm bearbeitet</source>
        <translation>Target folder %1 is being worked on by another program</translation>
    </message>
    <message>
        <source>Fehlgeschlagen Löschen Datei %1</source>
        <translation>Failed to delete file %1</translation>
    </message>
    <message>
        <source>Fehlgeschlagen Löschen Verzeichnis %1</source>
        <translation>Failed to delete folder %1</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Inhalt Update</source>
        <translation>Update contents</translation>
    </message>
    <message>
        <source>Listet Inhalt des Update ZIP-Archivs</source>
        <translation>Lists the contents of the update ZIP archive</translation>
    </message>
    <message>
        <source>Update installieren</source>
        <translation>Install update</translation>
    </message>
    <message>
        <source>Installiert Update aus ZIP Archiv</source>
        <translation>Installs an update from a ZIP archive</translation>
    </message>
    <message>
        <source>Anzeigen Uninstall-Info</source>
        <translation>Show uninstall info</translation>
    </message>
    <message>
        <source>Zeigt den Inhalt der Uninstall Information &apos;uninstall.dat&apos;</source>
        <translation>Shows the contents of the uninstall information &apos;uninstall.dat&apos;</translation>
    </message>
    <message>
        <source>Protokoll speichern</source>
        <translation>Save log</translation>
    </message>
    <message>
        <source>Speichert den Protokoll-Fensterinhalt in eine Datei</source>
        <translation>Saves the contents of the log window to a file</translation>
    </message>
    <message>
        <source>Protokoll drucken</source>
        <translation>Print log</translation>
    </message>
    <message>
        <source>Gibt den Protokoll-Fensterinhalt auf Drucker aus</source>
        <translation>Prints the contents of the log window</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Beendet die Anwendung</source>
        <translation>Exits the application</translation>
    </message>
    <message>
        <source>Über diese Funktion verlassen Sie das Programm %1.</source>
        <translation>This function leaves the program %1.</translation>
    </message>
    <message>
        <source>Fenster</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Updater Online Hilfe</source>
        <translation>Updater online help</translation>
    </message>
    <message>
        <source>Mit dieser Funktion schalten Sie einen Browser für die Online Hilfe auf.</source>
        <translation>This function opens a browser with the online help.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Über Updater</source>
        <translation>About Updater</translation>
    </message>
    <message>
        <source>Protokollfenster</source>
        <translation>Log window</translation>
    </message>
    <message>
        <source>Ein-/ausblenden des Protokollfensters</source>
        <translation>Show/hide the log window</translation>
    </message>
    <message>
        <source>Hierüber kann das Protokollfenster ein- bzw. ausgeblendet werden.</source>
        <translation>Shows or hides the log window.</translation>
    </message>
    <message>
        <source>wird aktualisiert (Update)</source>
        <translation>is being updated (update)</translation>
    </message>
    <message>
        <source>wird installiert</source>
        <translation>is being installed</translation>
    </message>
    <message>
        <source>wird deinstalliert</source>
        <translation>is being uninstalled</translation>
    </message>
    <message>
        <source>Software-Root: %1</source>
        <translation>Software root: %1</translation>
    </message>
    <message>
        <source>Einstellungen aus Registry &apos;%1/%2&apos; eingelesen</source>
        <translation>Settings read from registry &apos;%1/%2&apos;</translation>
    </message>
    <message>
        <source>Keine Einstellungen in Registry gefunden</source>
        <translation>No settings found in registry</translation>
    </message>
    <message>
        <source>Einstellungen speichern (Quorbel GmbH/%1)</source>
        <translation>Saving settings (Quorbel GmbH/%1)</translation>
    </message>
    <message>
        <source>Setup-Installation</source>
        <translation>Setup installation</translation>
    </message>
    <message>
        <source>Zip-Archiv: %1</source>
        <translation>ZIP archive: %1</translation>
    </message>
    <message>
        <source>Installationsquelle: %1</source>
        <translation>Installation source: %1</translation>
    </message>
    <message>
        <source>Deinstallation %1</source>
        <translation>Uninstall %1</translation>
    </message>
    <message>
        <source>Bitte löschen Sie verbleibende Dateien im Verzeichnis</source>
        <translation>Please delete the remaining files in the folder</translation>
    </message>
    <message>
        <source>bzw. das Verzeichnis selbst manuell.</source>
        <translation>or the folder itself by hand.</translation>
    </message>
    <message>
        <source>Update Archiv für %1 auswählen</source>
        <translation>Choose the update archive for %1</translation>
    </message>
    <message>
        <source>Fehler beim Update!</source>
        <translation>Error during the update!</translation>
    </message>
    <message>
        <source>Fehler ... beim Update!</source>
        <translation>Error ... during the update!</translation>
    </message>
    <message>
        <source>ZIP Installieren</source>
        <translation>Installing ZIP</translation>
    </message>
    <message>
        <source>ZIP Inhalt</source>
        <translation>ZIP contents</translation>
    </message>
    <message>
        <source>Uninstall Info</source>
        <translation>Uninstall info</translation>
    </message>
    <message>
        <source>ZIP Archiv öffnen</source>
        <translation>Open ZIP archive</translation>
    </message>
    <message>
        <source>ZIP einlesen: %1</source>
        <translation>Reading ZIP: %1</translation>
    </message>
    <message>
        <source>Keine Uninstall Information für %1 gefunden !</source>
        <translation>No uninstall information found for %1!</translation>
    </message>
    <message>
        <source>Deinstallation</source>
        <translation>Uninstall</translation>
    </message>
</context>
<context>
    <name>allgemein_qt</name>
    <message>
        <source>Strom</source>
        <translation>Electricity</translation>
    </message>
    <message>
        <source>Gas</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>Wasser</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>Fernwärme</source>
        <translation>District heating</translation>
    </message>
    <message>
        <source>Abwasser</source>
        <translation>Waste water</translation>
    </message>
    <message>
        <source>Asset Simulation</source>
        <translation>Asset Simulation</translation>
    </message>
    <message>
        <source>ZozOzizE - Prozesstool</source>
        <translation>ZozOzizE - process tool</translation>
    </message>
    <message>
        <source>Versionsverwaltung</source>
        <translation>Version control</translation>
    </message>
</context>
<context>
    <name>versionBase</name>
    <message>
        <source>Updater</source>
        <translation>Updater</translation>
    </message>
    <message>
        <source>TextLabel1</source>
        <translation>TextLabel1</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>TextLabel2</source>
        <translation>TextLabel2</translation>
    </message>
    <message>
        <source>TextLabel3</source>
        <translation>TextLabel3</translation>
    </message>
    <message>
        <source>Anwendung</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Herkunft</source>
        <translation>Origin</translation>
    </message>
</context>
</TS>
