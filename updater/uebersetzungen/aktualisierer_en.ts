<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>AddBookmarkDialog</name>
    <message>
        <source>Add Bookmark</source>
        <translation>Add Bookmark</translation>
    </message>
    <message>
        <source>Type a name for the bookmark, and choose where to keep it.</source>
        <translation>Type a name for the bookmark, and choose where to keep it.</translation>
    </message>
</context>
<context>
    <name>BookmarksDialog</name>
    <message>
        <source>Bookmarks</source>
        <translation>Bookmarks</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Add Folder</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>New Folder</translation>
    </message>
</context>
<context>
    <name>BookmarksManager</name>
    <message>
        <source>Error when loading bookmarks on line %1, column %2:
%3</source>
        <translation>Error when loading bookmarks on line %1, column %2:
%3</translation>
    </message>
    <message>
        <source>Toolbar Bookmarks</source>
        <translation>Toolbar Bookmarks</translation>
    </message>
    <message>
        <source>Bookmarks Bar</source>
        <translation>Bookmarks Bar</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Bookmarks Menu</source>
        <translation>Bookmarks Menu</translation>
    </message>
    <message>
        <source>Saving Bookmarks</source>
        <translation>Saving Bookmarks</translation>
    </message>
    <message>
        <source>The bookmarks could not be saved to %1.</source>
        <translation>The bookmarks could not be saved to %1.</translation>
    </message>
    <message>
        <source>Adding Bookmarks</source>
        <translation>Adding Bookmarks</translation>
    </message>
    <message>
        <source>The bookmarks were not added: bookmark folders can be nested at most %1 levels deep.</source>
        <translation>The bookmarks were not added: bookmark folders can be nested at most %1 levels deep.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>XBEL (*.xbel *.xml)</source>
        <translation>XBEL (*.xbel *.xml)</translation>
    </message>
    <message>
        <source>Imported %1</source>
        <translation>Imported %1</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>%1 Bookmarks.xbel</source>
        <translation>%1 Bookmarks.xbel</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>Export error</translation>
    </message>
    <message>
        <source>error saving bookmarks</source>
        <translation>error saving bookmarks</translation>
    </message>
    <message>
        <source>Name Change</source>
        <translation>Name Change</translation>
    </message>
    <message>
        <source>Address Change</source>
        <translation>Address Change</translation>
    </message>
    <message>
        <source>Remove Bookmark</source>
        <translation>Remove Bookmark</translation>
    </message>
    <message>
        <source>Insert Bookmark</source>
        <translation>Insert Bookmark</translation>
    </message>
</context>
<context>
    <name>BookmarksModel</name>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
</context>
<context>
    <name>BookmarksToolBar</name>
    <message>
        <source>Bookmark</source>
        <translation>Bookmark</translation>
    </message>
</context>
<context>
    <name>Browser</name>
    <message>
        <source>The file %1 could not be kept aside: it is not replaced.</source>
        <translation>The file %1 could not be kept aside: it is not replaced.</translation>
    </message>
    <message>
        <source>The file as it was is kept as %1.</source>
        <translation>The file as it was is kept as %1.</translation>
    </message>
</context>
<context>
    <name>BrowserApplication</name>
    <message>
        <source>%1 Version %2&lt;p&gt;Browser basierend auf Qt.&lt;p&gt;Verwendet die &apos;Qt WebEngine&apos;.&lt;p&gt;&lt;p&gt;Qt WebEngine basiert auf dem Chromium open Source Project entwickelt unter </source>
        <translation>%1 Version %2&lt;p&gt;Browser based on Qt.&lt;p&gt;Uses &apos;Qt WebEngine&apos;.&lt;p&gt;&lt;p&gt;Qt WebEngine is based on the Chromium open source project developed at </translation>
    </message>
</context>
<context>
    <name>BrowserMainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;New Window</source>
        <translation>&amp;New Window</translation>
    </message>
    <message>
        <source>&amp;Open File...</source>
        <translation>&amp;Open File...</translation>
    </message>
    <message>
        <source>Open &amp;Location...</source>
        <translation>Open &amp;Location...</translation>
    </message>
    <message>
        <source>&amp;Import Bookmarks...</source>
        <translation>&amp;Import Bookmarks...</translation>
    </message>
    <message>
        <source>&amp;Export Bookmarks...</source>
        <translation>&amp;Export Bookmarks...</translation>
    </message>
    <message>
        <source>&amp;Print to PDF...</source>
        <translation>&amp;Print to PDF...</translation>
    </message>
    <message>
        <source>Private &amp;Browsing...</source>
        <translation>Private &amp;Browsing...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Find Next</translation>
    </message>
    <message>
        <source>&amp;Find Previous</source>
        <translation>&amp;Find Previous</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Preferences</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Shift+Ctrl+B</source>
        <translation>Shift+Ctrl+B</translation>
    </message>
    <message>
        <source>Ctrl+|</source>
        <translation>Ctrl+|</translation>
    </message>
    <message>
        <source>Ctrl+/</source>
        <translation>Ctrl+/</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Reload Page</source>
        <translation>Reload Page</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>Reset &amp;Zoom</source>
        <translation>Reset &amp;Zoom</translation>
    </message>
    <message>
        <source>Page S&amp;ource</source>
        <translation>Page S&amp;ource</translation>
    </message>
    <message>
        <source>Ctrl+Alt+U</source>
        <translation>Ctrl+Alt+U</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Full Screen</translation>
    </message>
    <message>
        <source>Hi&amp;story</source>
        <translation>Hi&amp;story</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>&amp;Bookmarks</source>
        <translation>&amp;Bookmarks</translation>
    </message>
    <message>
        <source>Show All Bookmarks</source>
        <translation>Show All Bookmarks</translation>
    </message>
    <message>
        <source>Add Bookmark...</source>
        <translation>Add Bookmark...</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Web &amp;Search</source>
        <translation>Web &amp;Search</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <comment>Web Search</comment>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>Über %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>Über Qt</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Show Status Bar</source>
        <translation>Show Status Bar</translation>
    </message>
    <message>
        <source>Hide Status Bar</source>
        <translation>Hide Status Bar</translation>
    </message>
    <message>
        <source>Show Toolbar</source>
        <translation>Show Toolbar</translation>
    </message>
    <message>
        <source>Hide Toolbar</source>
        <translation>Hide Toolbar</translation>
    </message>
    <message>
        <source>Show Bookmarks bar</source>
        <translation>Show Bookmarks bar</translation>
    </message>
    <message>
        <source>Hide Bookmarks bar</source>
        <translation>Hide Bookmarks bar</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>Seiten Titel und Browser Name</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Open Web Resource</source>
        <translation>Open Web Resource</translation>
    </message>
    <message>
        <source>Web Resources (*.html *.htm *.svg *.png *.gif *.svgz);;All files (*.*)</source>
        <translation>Web Resources (*.html *.htm *.svg *.png *.gif *.svgz);;All files (*.*)</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Print to PDF</translation>
    </message>
    <message>
        <source>Are you sure you want to turn on private browsing?</source>
        <translation>Are you sure you want to turn on private browsing?</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;&lt;br&gt;This action will reload all open tabs.&lt;br&gt;When private browsing in turned on, webpages are not added to the history, items are automatically removed from the Downloads window, new cookies are not stored, current cookies can&apos;t be accessed, site icons wont be stored, session wont be saved,  and searches are not added to the pop-up menu in the Google search box.  Until you close the window, you can still click the Back and Forward buttons to return to the webpages you have opened.</source>
        <translation>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;&lt;br&gt;This action will reload all open tabs.&lt;br&gt;When private browsing in turned on, webpages are not added to the history, items are automatically removed from the Downloads window, new cookies are not stored, current cookies can&apos;t be accessed, site icons wont be stored, session wont be saved,  and searches are not added to the pop-up menu in the Google search box.  Until you close the window, you can still click the Back and Forward buttons to return to the webpages you have opened.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Private Browsing</source>
        <translation>Private Browsing</translation>
    </message>
    <message>
        <source>Are you sure you want to close the window?  There are %1 tabs open</source>
        <translation>Are you sure you want to close the window?  There are %1 tabs open</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Close Window</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; not found.</source>
        <translation>&quot;%1&quot; not found.</translation>
    </message>
    <message>
        <source>Page Source of %1</source>
        <translation>Page Source of %1</translation>
    </message>
    <message>
        <source>Stop loading the current page</source>
        <translation>Stop loading the current page</translation>
    </message>
    <message>
        <source>Reload the current page</source>
        <translation>Reload the current page</translation>
    </message>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Alt+Ctrl+L</source>
        <comment>Download Manager</comment>
        <translation>Alt+Ctrl+L</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>CAclGroup</name>
    <message>
        <source>lese_gruppen: Fehler beim Zugriff auf Gruppendaten</source>
        <translation>lese_gruppen: error accessing the group data</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Gruppendaten</source>
        <translation>Error accessing the group data</translation>
    </message>
</context>
<context>
    <name>CAlteFassung</name>
    <message>
        <source>Das Schreiben der Datei %1 wurde unterbrochen; ihr alter Inhalt liegt in %2.</source>
        <translation>Writing the file %1 was cut off; its old content lies in %2.</translation>
    </message>
    <message>
        <source>Das Schreiben der Datei %1 wurde unterbrochen; sie hat wieder ihren alten Inhalt.</source>
        <translation>Writing the file %1 was cut off; it has its old content again.</translation>
    </message>
    <message>
        <source>Der alte Inhalt von %2 laesst sich im Ordner %1 nicht ablegen: %3</source>
        <translation>The old content of %2 cannot be put in the folder %1: %3</translation>
    </message>
    <message>
        <source>Im Ordner %1 ist kein Platz fuer den alten Inhalt von %2: %3</source>
        <translation>The folder %1 has no room for the old content of %2: %3</translation>
    </message>
    <message>
        <source>Was sie zuletzt enthielt, liegt in %1.</source>
        <translation>What it held last lies in %1.</translation>
    </message>
    <message>
        <source>Das Schreiben der Datei %1 wurde unterbrochen; die Datei, die nun dort liegt, laesst sich nicht sicher als dieselbe erkennen und bleibt, wie sie ist. Ihr alter Inhalt liegt in %2.</source>
        <translation>Writing the file %1 was cut off; the file that now lies there cannot surely be told to be the same one and stays as it is. Its old content lies in %2.</translation>
    </message>
    <message>
        <source>Das Schreiben der Datei %1 wurde unterbrochen; sie wurde seither geaendert und bleibt, wie sie ist. Ihr alter Inhalt liegt in %2.</source>
        <translation>Writing the file %1 was cut off; it has been changed since and stays as it is. Its old content lies in %2.</translation>
    </message>
    <message>
        <source>Das Schreiben der Datei %1 wurde unterbrochen; ob sie seither geaendert wurde, zeigt sein Vermerk nicht: sie bleibt, wie sie ist. Ihr alter Inhalt liegt in %2.</source>
        <translation>Writing the file %1 was cut off; its record does not show whether it has been changed since: it stays as it is. Its old content lies in %2.</translation>
    </message>
    <message>
        <source>In den Ordnern %1 und %2 ist kein Platz fuer den alten Inhalt von %3: %4</source>
        <translation>The folders %1 and %2 have no room for the old content of %3: %4</translation>
    </message>
    <message>
        <source>Die alten Fassungen in %1 wurden nicht geprueft: %2</source>
        <translation>The old versions in %1 were not checked: %2</translation>
    </message>
    <message>
        <source>Das Schreiben der Datei %1 wurde unterbrochen; ihr alter Inhalt liegt in %2, vermerkt in %3, bis der naechste Start ihn zurueckschreibt oder beiseitelegt.</source>
        <translation>Writing the file %1 was interrupted; its old content lies in %2, recorded in %3, until the next start writes it back or puts it aside.</translation>
    </message>
    <message>
        <source>%1 ist der Ordner fuer voruebergehende Dateien: ein Neustart des Rechners kann dort alles loeschen.</source>
        <translation>%1 is the folder for temporary files: a restart of the computer may delete everything there.</translation>
    </message>
</context>
<context>
    <name>CAnwenderListe</name>
    <message>
        <source>Gruppen-Nr.</source>
        <translation>Group no.</translation>
    </message>
    <message>
        <source>Angemeldet</source>
        <translation>Logged on</translation>
    </message>
    <message>
        <source>Anwender</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Gruppe</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Recht</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Kennwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>&amp;Ändern</source>
        <translation>&amp;Change</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Kennwort</source>
        <translation>&amp;Password</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>Alles markieren</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Anwendertabelle !</source>
        <translation>Error accessing the user table!</translation>
    </message>
    <message>
        <source>Editieren der Bemerkung</source>
        <translation>Edit the remark</translation>
    </message>
    <message>
        <source>Anwender %1</source>
        <translation>User %1</translation>
    </message>
    <message>
        <source>maximal %1 Zeichen (wird beim Speichern abgeschnitten)</source>
        <translation>at most %1 characters (cut off when saved)</translation>
    </message>
    <message>
        <source>Anwender &apos;%1&apos; ist bereits vorhanden !</source>
        <translation>User &apos;%1&apos; already exists!</translation>
    </message>
    <message>
        <source>Bitte eine gültige Gruppe wählen !</source>
        <translation>Please choose a valid group!</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; ist nicht mehr vorhanden !</source>
        <translation>Group &apos;%1&apos; no longer exists!</translation>
    </message>
    <message>
        <source>Anwender &apos;%1&apos; wurde inzwischen von anderer Seite geändert und wird neu geladen !</source>
        <translation>User &apos;%1&apos; has been changed elsewhere meanwhile and is loaded again!</translation>
    </message>
    <message>
        <source>Anwender &apos;%1&apos; ist nicht mehr vorhanden !</source>
        <translation>User &apos;%1&apos; no longer exists!</translation>
    </message>
    <message>
        <source>Der Anwender &apos;%1&apos; benutzt gerade Kelmor !</source>
        <translation>User &apos;%1&apos; is using Kelmor right now!</translation>
    </message>
    <message>
        <source>Sie selbst sind als Kelmor Anwender &apos;%1&apos; angemeldet !</source>
        <translation>You yourself are logged on as Kelmor user &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Anwender löschen</source>
        <translation>Delete user</translation>
    </message>
    <message>
        <source>Anwender darf nicht gelöscht werden !</source>
        <translation>The user must not be deleted!</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Anwender &apos;%1&apos; endgültig löschen?</source>
        <translation>Delete user &apos;%1&apos; for good?</translation>
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
        <source>Anwender &apos;%1&apos; gelöscht</source>
        <translation>User &apos;%1&apos; deleted</translation>
    </message>
    <message>
        <source>Kennworte stimmen nicht überein !</source>
        <translation>The passwords do not match!</translation>
    </message>
    <message>
        <source>Kennwort ändern</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>&apos;%1&apos; Löschen</source>
        <translation>Delete &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Löschen Rechte-Eintrag</source>
        <translation>Delete the rights entry</translation>
    </message>
    <message>
        <source>Bemerkung bearbeiten</source>
        <translation>Edit remark</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Auswahl beenden</source>
        <translation>End the choice</translation>
    </message>
    <message>
        <source>Bitte einen Namen für den Anwender eingeben !</source>
        <translation>Please enter a name for the user!</translation>
    </message>
</context>
<context>
    <name>CAuswahlkopie</name>
    <message>
        <source>Das Fenster wurde geschlossen, bevor die Auswahl kopiert war: die Zwischenablage ist unverändert.</source>
        <translation>The window was closed before the selection was copied: the clipboard is unchanged.</translation>
    </message>
    <message>
        <source>Der Text wurde beim Kopieren geändert: es wurde nichts kopiert.</source>
        <translation>The text changed while it was being copied: nothing was copied.</translation>
    </message>
</context>
<context>
    <name>CBVDataBase</name>
    <message>
        <source>Tabelle &apos;%1&apos; kann nicht angelegt werden: %2</source>
        <translation>Table &apos;%1&apos; cannot be created: %2</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; ist unvollständig: %2</source>
        <translation>Table &apos;%1&apos; is incomplete: %2</translation>
    </message>
    <message>
        <source>Unbekannter Datenbanktreiber &apos;%1&apos; (vorhanden: %2)</source>
        <translation>Unknown database driver &apos;%1&apos; (available: %2)</translation>
    </message>
    <message>
        <source>Verbindung zur Datenbank &apos;%1&apos; auf &apos;%2&apos; nicht möglich: %3</source>
        <translation>No connection to the database &apos;%1&apos; on &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>Sitzung der Datenbank &apos;%1&apos; nicht einrichtbar: %2</source>
        <translation>The session of the database &apos;%1&apos; cannot be set up: %2</translation>
    </message>
    <message>
        <source>Benutzerverwaltung angemeldet: %1 auf %2</source>
        <translation>User administration logged on: %1 on %2</translation>
    </message>
    <message>
        <source>Kelmor</source>
        <translation>Kelmor</translation>
    </message>
    <message>
        <source>Funktion nur verfügbar, wenn Datenbank verbunden ist.</source>
        <translation>Function only available while a database is connected.</translation>
    </message>
    <message>
        <source>Der Name &apos;%1&apos; enthält Steuerzeichen und wird nicht gespeichert !</source>
        <translation>The name &apos;%1&apos; contains control characters and is not saved!</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos; enthält Steuerzeichen und wird nicht gespeichert !</source>
        <translation>%1 &apos;%2&apos; contains control characters and is not saved!</translation>
    </message>
</context>
<context>
    <name>CBVStruktur</name>
    <message>
        <source>ungültiger Spaltenname &apos;%1&apos;</source>
        <translation>invalid column name &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unbekannter Typcode %1</source>
        <translation>unknown type code %1</translation>
    </message>
    <message>
        <source>negative Länge %1</source>
        <translation>negative length %1</translation>
    </message>
    <message>
        <source>Spalte %1 braucht eine feste Breite größer 0 und keinen Langtext</source>
        <translation>column %1 needs a fixed width above 0 and no long text</translation>
    </message>
    <message>
        <source>ungültiger Tabellentag &apos;%1&apos;</source>
        <translation>invalid table tag &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ungültiger Tabellenname &apos;%1&apos;</source>
        <translation>invalid table name &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 Felder, erwartet 2 (Tabelle) oder 7 (Spalte)</source>
        <translation>%1 fields, expected 2 (table) or 7 (column)</translation>
    </message>
    <message>
        <source>unbekannte Tabelle &apos;%1&apos;</source>
        <translation>unknown table &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ungültiger Spaltentag &apos;%1&apos;</source>
        <translation>invalid column tag &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ungültiger Typcode &apos;%1&apos;</source>
        <translation>invalid type code &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ungültige Länge &apos;%1&apos;</source>
        <translation>invalid length &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Gruppe</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Bezirk</source>
        <translation>District</translation>
    </message>
    <message>
        <source>Telefon</source>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>Sperre</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Angemeldet</source>
        <translation>Logged on</translation>
    </message>
    <message>
        <source>Abgemeldet</source>
        <translation>Logged off</translation>
    </message>
    <message>
        <source>Anwender</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Kennwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Recht</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Abteilung</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>Telefax</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Rechner</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Bemerkung</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>Schlüssel</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Merker</source>
        <translation>Flag</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>%1, Zeile %2: %3</source>
        <translation>%1, line %2: %3</translation>
    </message>
    <message>
        <source>%1: zu groß (%2 Bytes, höchstens %3)</source>
        <translation>%1: too large (%2 bytes, at most %3)</translation>
    </message>
    <message>
        <source>%1: nicht lesbar: %2</source>
        <translation>%1: cannot be read: %2</translation>
    </message>
</context>
<context>
    <name>CBenutzerVerwaltung</name>
    <message>
        <source>Benutzerverwaltung</source>
        <translation>User administration</translation>
    </message>
    <message>
        <source>Angemeldete Anwender:</source>
        <translation>Logged-on users:</translation>
    </message>
    <message>
        <source>Angemeldete Anwender</source>
        <translation>Logged-on users</translation>
    </message>
    <message>
        <source>Anwender</source>
        <translation>Users</translation>
    </message>
    <message>
        <source>Gruppen</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>&amp;Fertig</source>
        <translation>D&amp;one</translation>
    </message>
    <message>
        <source>Die Eingaben auf der Seite &apos;%1&apos; sind nicht gespeichert.</source>
        <translation>The entries on the page &apos;%1&apos; are not saved.</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Verwerfen</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Gruppe</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Angemeldet seit</source>
        <translation>Logged on since</translation>
    </message>
    <message>
        <source>Abgemeldet</source>
        <translation>Logged off</translation>
    </message>
    <message>
        <source>nicht lesbar</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>Lock löschen</source>
        <translation>Delete lock</translation>
    </message>
    <message>
        <source>Lock-Eintrag des Anwenders entfernen</source>
        <translation>Remove the user&apos;s lock entry</translation>
    </message>
    <message>
        <source>Lock von User &apos;%1&apos; (ID=%2) entfernt</source>
        <translation>Lock of user &apos;%1&apos; (ID=%2) removed</translation>
    </message>
    <message>
        <source>Lock von User &apos;%1&apos; (ID=%2) NICHT entfernt</source>
        <translation>Lock of user &apos;%1&apos; (ID=%2) NOT removed</translation>
    </message>
    <message>
        <source>Anwender &apos;%1&apos; ist nicht mehr vorhanden !</source>
        <translation>User &apos;%1&apos; no longer exists!</translation>
    </message>
</context>
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
    <message>
        <source>Vorgangsprotokoll</source>
        <translation>Process log</translation>
    </message>
    <message>
        <source>Das System startet keinen Thread für den Vorgang</source>
        <translation>The system starts no thread for the job</translation>
    </message>
    <message>
        <source>Drucken ...</source>
        <translation>Printing ...</translation>
    </message>
    <message>
        <source>Nicht genug Arbeitsspeicher frei: der Vorgang wird nicht begonnen</source>
        <translation>Not enough memory free: the job is not started</translation>
    </message>
</context>
<context>
    <name>CCDataBase</name>
    <message>
        <source>Datenbank &apos;%1&apos;  NICHT verbunden !</source>
        <translation>Database &apos;%1&apos;  NOT connected!</translation>
    </message>
    <message>
        <source>Fehler beim Update des Datenfeldes %1 in %2</source>
        <translation>Error updating the data field %1 in %2</translation>
    </message>
    <message>
        <source>Fehler bei Vorbereitung des Datenfeldes %1 in %2</source>
        <translation>Error preparing the data field %1 in %2</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; angelegt.</source>
        <translation>Table &apos;%1&apos; created.</translation>
    </message>
    <message>
        <source>Anlegen der Spalte &apos;%1&apos; in Tabelle &apos;%2&apos;</source>
        <translation>Creating the column &apos;%1&apos; in table &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Fehler beim Leeren der Tabelle &apos;%1&apos;</source>
        <translation>Error emptying the table &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Datenbanktabelle</source>
        <translation>Error accessing the database table</translation>
    </message>
    <message>
        <source>Tabelle %1: Neue Record-ID kann nicht ermittelt werden</source>
        <translation>Table %1: no new record ID can be found</translation>
    </message>
    <message>
        <source>Fehler beim Anlegen eines Datensatzes</source>
        <translation>Error creating a record</translation>
    </message>
    <message>
        <source>Fehler beim Schreiben des Datensatzes %1 in Tabelle %2</source>
        <translation>Error writing the record %1 in table %2</translation>
    </message>
    <message>
        <source>Dem Datenbankkonto fehlt ein Recht auf Tabelle &apos;%1&apos;: %2</source>
        <translation>The database account lacks a right on table &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>%1: Fehler beim Abschluss der Transaktion auf Tabelle %2: %3</source>
        <translation>%1: error ending the transaction on table %2: %3</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; kann nicht für das Schreiben gesperrt werden</source>
        <translation>Table &apos;%1&apos; cannot be locked for writing</translation>
    </message>
    <message>
        <source>%1: Fehler beim Beginn der Transaktion auf Tabelle %2: %3</source>
        <translation>%1: error beginning the transaction on table %2: %3</translation>
    </message>
    <message>
        <source>und %1 weitere</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos;: Spalte &apos;%2&apos; bekommt keinen eindeutigen Schlüssel, solange Werte mehrfach darin stehen: %3</source>
        <translation>Table &apos;%1&apos;: column &apos;%2&apos; gets no unique key while values stand in it more than once: %3</translation>
    </message>
    <message>
        <source>Eindeutiger Schlüssel auf Spalte &apos;%1&apos; in Tabelle &apos;%2&apos; nicht anlegbar</source>
        <translation>A unique key on column &apos;%1&apos; in table &apos;%2&apos; cannot be created</translation>
    </message>
    <message>
        <source>Eindeutiger Schlüssel &apos;%1&apos; auf Spalte &apos;%2&apos; in Tabelle &apos;%3&apos; angelegt.</source>
        <translation>Unique key &apos;%1&apos; on column &apos;%2&apos; in table &apos;%3&apos; created.</translation>
    </message>
    <message>
        <source>Spalte &apos;%1&apos; in Tabelle &apos;%2&apos; kann nicht auf variable Breite umgestellt werden</source>
        <translation>Column &apos;%1&apos; in table &apos;%2&apos; cannot be changed to a variable width</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos;: Textspalten %2 von fester auf variable Breite umgestellt, Leerzeichen der Auffüllung entfernt, alle Zeilen erhalten.</source>
        <translation>Table &apos;%1&apos;: text columns %2 changed from fixed to variable width, padding blanks removed, every row kept.</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; kann nicht auf exakten Vergleich umgestellt werden</source>
        <translation>Table &apos;%1&apos; cannot be changed to exact comparison</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos;: Textspalten %2 auf exakten Vergleich (%3) umgestellt, alle Zeilen erhalten.</source>
        <translation>Table &apos;%1&apos;: text columns %2 changed to exact comparison (%3), every row kept.</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Datenbank</source>
        <translation>Error accessing the database</translation>
    </message>
    <message>
        <source>Sequenz &apos;%1_SEQ&apos; angelegt.</source>
        <translation>Sequence &apos;%1_SEQ&apos; created.</translation>
    </message>
    <message>
        <source>Sequenz &apos;%1_SEQ&apos; gelöscht.</source>
        <translation>Sequence &apos;%1_SEQ&apos; deleted.</translation>
    </message>
    <message>
        <source>Tabellencheck &apos;%1&apos;</source>
        <translation>Table check &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Fehlende Tabelle: &apos;%1&apos;</source>
        <translation>Missing table: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Fehler: In Tabelle &apos;%1&apos; fehlt die Datensatz-ID-Spalte &apos;%2&apos;</source>
        <translation>Error: table &apos;%1&apos; lacks the record ID column &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Fehler: In Tabelle &apos;%1&apos; fehlende Spalte &apos;%2&apos;</source>
        <translation>Error: column &apos;%2&apos; missing in table &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Datenbank &apos;%1&apos; NICHT zugeordnet !</source>
        <translation>Database &apos;%1&apos; NOT assigned!</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; fehlt und kann nicht angelegt werden (%2): neue Datensatz-IDs folgen der höchsten vorhandenen, die ID eines zuletzt gelöschten Datensatzes kann wieder vergeben werden.</source>
        <translation>Table &apos;%1&apos; is missing and cannot be created (%2): new record IDs follow the highest one present, and the ID of a record deleted last may be given again.</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; ist nicht benutzbar (%2): neue Datensatz-IDs folgen der höchsten vorhandenen, die ID eines zuletzt gelöschten Datensatzes kann wieder vergeben werden.</source>
        <translation>Table &apos;%1&apos; cannot be used (%2): new record IDs follow the highest one present, and the ID of a record deleted last may be given again.</translation>
    </message>
    <message>
        <source>Die Verbindung zur Datenbank &apos;%1&apos; auf &apos;%2&apos; war unterbrochen und ist wieder hergestellt.</source>
        <translation>The connection to database &apos;%1&apos; on &apos;%2&apos; was lost and has been restored.</translation>
    </message>
    <message>
        <source>Die Verbindung zur Datenbank &apos;%1&apos; auf &apos;%2&apos; ist während einer Transaktion abgebrochen (wurde der Server neu gestartet?). Der Server hat die ganze Transaktion zurückgenommen: nichts davon ist gespeichert. Bitte die Aktion noch einmal ausführen.</source>
        <translation>The connection to database &apos;%1&apos; on &apos;%2&apos; was lost during a transaction (was the server restarted?). The server has undone the whole transaction: nothing of it is stored. Please carry out the action again.</translation>
    </message>
    <message>
        <source>Die Verbindung zur Datenbank &apos;%1&apos; auf &apos;%2&apos; war unterbrochen (wurde der Server neu gestartet?). Die letzte Änderung wurde nicht wiederholt, da sie sonst doppelt wirken könnte: bitte neu laden, prüfen, ob sie gespeichert ist, und sie sonst noch einmal ausführen.</source>
        <translation>The connection to database &apos;%1&apos; on &apos;%2&apos; was lost (was the server restarted?). The last change was not repeated, as it could otherwise take effect twice: please reload, check whether it is stored, and otherwise carry it out again.</translation>
    </message>
    <message>
        <source>Warte auf den Datenbankserver &apos;%1&apos; ...</source>
        <translation>Waiting for the database server &apos;%1&apos; ...</translation>
    </message>
    <message>
        <source>Warten auf den Datenbankserver &apos;%1&apos; abgebrochen</source>
        <translation>Waiting for the database server &apos;%1&apos; cancelled</translation>
    </message>
    <message>
        <source>Der Datenbankserver &apos;%1&apos; antwortet nicht (keine Antwort nach %2 s)</source>
        <translation>The database server &apos;%1&apos; does not answer (no answer after %2 s)</translation>
    </message>
    <message>
        <source>SQL-Fehler: %1</source>
        <translation>SQL error: %1</translation>
    </message>
    <message>
        <source>SQL-Befehl: %1</source>
        <translation>SQL statement: %1</translation>
    </message>
    <message>
        <source>%1: Fehler beim Zugriff auf Tabelle %2</source>
        <translation>%1: Error accessing table %2</translation>
    </message>
    <message>
        <source>%1: Sperre &apos;%2&apos; nicht freigegeben</source>
        <translation>%1: lock &apos;%2&apos; not released</translation>
    </message>
    <message>
        <source>Die Verbindung zur Datenbank &apos;%1&apos; auf &apos;%2&apos; ist abgebrochen und lässt sich nicht wieder herstellen (%3). Bitte prüfen, ob der Datenbankserver läuft und erreichbar ist und die Anmeldedaten (Benutzer, Kennwort, Datenbank) noch gelten, und die Aktion dann wiederholen.</source>
        <translation>The connection to the database &apos;%1&apos; on &apos;%2&apos; was lost and cannot be restored (%3). Please check that the database server is running and reachable and that the log-on data (user, password, database) are still valid, then repeat the action.</translation>
    </message>
    <message>
        <source>Die Verbindung zur Datenbank &apos;%1&apos; auf &apos;%2&apos; ist abgebrochen, während die letzte Änderung gespeichert wurde (wurde der Server neu gestartet?): sie kann gespeichert sein oder nicht. Bitte neu laden, prüfen, ob sie gespeichert ist, und sie sonst noch einmal ausführen.</source>
        <translation>The connection to the database &apos;%1&apos; on &apos;%2&apos; was lost while the last change was being saved (was the server restarted?): it may or may not have been saved. Please reload, check whether it was saved, and otherwise carry it out again.</translation>
    </message>
    <message>
        <source>Die Datenbankdatei &apos;%1&apos; ist nicht mehr die beim Anmelden geöffnete (sie wurde ersetzt, umbenannt oder gelöscht): nichts wurde gespeichert. Bitte neu anmelden (&quot;Verbinden&quot;) und die Aktion dann wiederholen.</source>
        <translation>The database file &apos;%1&apos; is no longer the one opened at the log-on (it was replaced, renamed or deleted): nothing was saved. Please log on again (&quot;Connect&quot;) and then repeat the action.</translation>
    </message>
    <message>
        <source>Die Datenbankdatei &apos;%1&apos; ist schreibgeschützt (die Datei, ihr Ordner oder ihr Dateisystem): nichts wurde gespeichert. Bitte die Schreibrechte prüfen, neu anmelden (&quot;Verbinden&quot;) und die Aktion dann wiederholen.</source>
        <translation>The database file &apos;%1&apos; is read-only (the file, its folder or its file system): nothing was saved. Please check the write permissions, log on again (&quot;Connect&quot;) and then repeat the action.</translation>
    </message>
</context>
<context>
    <name>CDBDatenstruktur</name>
    <message>
        <source>in CDBDatenstruktur-gib_index Enumerator %1 nicht in Tagliste</source>
        <translation>in CDBDatenstruktur-gib_index enumerator %1 not in the tag list</translation>
    </message>
</context>
<context>
    <name>CDBTabelle</name>
    <message>
        <source>in CDBTabelle-gib_index Enumerator %1 nicht in Tagliste</source>
        <translation>in CDBTabelle-gib_index enumerator %1 not in the tag list</translation>
    </message>
</context>
<context>
    <name>CDbBVsetting</name>
    <message>
        <source>Treiber</source>
        <translation>Driver</translation>
    </message>
    <message>
        <source>Rechner</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Datenbank</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>Benutzer</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Kennwort</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Automatisch verbinden</source>
        <translation>Connect automatically</translation>
    </message>
    <message>
        <source>SQL-Protokoll</source>
        <translation>SQL log</translation>
    </message>
    <message>
        <source>Protokollstufe</source>
        <translation>Log level</translation>
    </message>
    <message>
        <source>Verbindung testen</source>
        <translation>Test the connection</translation>
    </message>
    <message>
        <source>Vorlage Einstellungen schreiben</source>
        <translation>Write the settings template</translation>
    </message>
    <message>
        <source>Protokoll löschen</source>
        <translation>Clear the log</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>Ausführen</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Nicht verbunden</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Verbindung möglich: Ja</source>
        <translation>Connection possible: yes</translation>
    </message>
    <message>
        <source>Verbindung möglich: Nein
%1</source>
        <translation>Connection possible: no
%1</translation>
    </message>
    <message>
        <source>Erfolgreich: %1 Zeilen</source>
        <translation>Successful: %1 rows</translation>
    </message>
    <message>
        <source>Fehler beim Anlegen der Tabelle &apos;%1&apos;!</source>
        <translation>Error creating the table &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Anlegen der Tabelle &apos;%1&apos;!</source>
        <translation>Creating the table &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Fehler beim Erweitern/Prüfung der Tabelle &apos;%1&apos;!</source>
        <translation>Error extending/checking the table &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Bitte anpassen in Systemdatei &apos;%1&apos;</source>
        <translation>Please adjust in the system file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Vorlage: Wert von &apos;%1&apos; nicht lesbar, Variable übergangen</source>
        <translation>Template: value of &apos;%1&apos; cannot be read, variable passed over</translation>
    </message>
    <message>
        <source>Zuviele Daten (%1) für Spalte &apos;%2&apos; in Tabelle &apos;%3&apos; (max. %4)!</source>
        <translation>Too much data (%1) for column &apos;%2&apos; in table &apos;%3&apos; (max. %4)!</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; bleibt unverändert!</source>
        <translation>Table &apos;%1&apos; stays unchanged!</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; geschrieben!</source>
        <translation>Table &apos;%1&apos; written!</translation>
    </message>
    <message>
        <source>Datenstruktur nicht initiatisiert</source>
        <translation>Data structure not initialised</translation>
    </message>
    <message>
        <source>Fehler beim Leeren der Tabelle &apos;%1&apos;!</source>
        <translation>Error emptying the table &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Fehler beim Ermitteln einer neuen ID für Tabelle &apos;%1&apos;!</source>
        <translation>Error finding a new ID for table &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Fehler beim Schreiben einer neuen Zeile in Tabelle &apos;%1&apos;!</source>
        <translation>Error writing a new row in table &apos;%1&apos;!</translation>
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
        <source>Soll Protokolltabelle gelöscht werden?</source>
        <translation>Clear the log table?</translation>
    </message>
    <message>
        <source>Datenbank nicht verbunden !</source>
        <translation>Database not connected!</translation>
    </message>
    <message>
        <source>Inhalt der Protokolltabelle gelöscht</source>
        <translation>Contents of the log table deleted</translation>
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
    <message>
        <source>Drucken ...</source>
        <translation>Printing ...</translation>
    </message>
    <message>
        <source>Speichern ...</source>
        <translation>Saving ...</translation>
    </message>
</context>
<context>
    <name>CGBrowser</name>
    <message>
        <source>Konnte Ausgabedatei &apos;%1&apos; nicht oeffnen.</source>
        <translation>Could not open output file &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Seite 1</source>
        <translation>Page 1</translation>
    </message>
    <message>
        <source>Seite 2</source>
        <translation>Page 2</translation>
    </message>
    <message>
        <source>Der Bericht &apos;%1&apos; ist nicht vorhanden !</source>
        <translation>The report &apos;%1&apos; does not exist!</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Störungsmeldung gedruckt am:</source>
        <translation>Fault report printed on:</translation>
    </message>
    <message>
        <source>Bericht gedruckt am:</source>
        <translation>Report printed on:</translation>
    </message>
    <message>
        <source>Uhr</source>
        <translation>o&apos;clock</translation>
    </message>
    <message>
        <source>Seite:</source>
        <translation>Page:</translation>
    </message>
    <message>
        <source>Berichte</source>
        <translation>Reports</translation>
    </message>
    <message>
        <source>bericht</source>
        <translation>report</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Konnte &apos;%1&apos; nicht nach &apos;%2&apos; kopieren.</source>
        <translation>Could not copy &apos;%1&apos; to &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>Kein PDF Viewer spezifiziert !</source>
        <translation>No PDF viewer specified!</translation>
    </message>
    <message>
        <source>Oder der PDF Viewer ist nicht mit der Endung &apos;pdf&apos; verknüpft.</source>
        <translation>Or the PDF viewer is not associated with the extension &apos;pdf&apos;.</translation>
    </message>
    <message>
        <source>Bitte verwenden Sie den Eigenschaften-Dialog.</source>
        <translation>Please use the properties dialog.</translation>
    </message>
    <message>
        <source>Der PDF Viewer</source>
        <translation>The PDF viewer</translation>
    </message>
    <message>
        <source>konnte nicht gestartet werden !</source>
        <translation>could not be started!</translation>
    </message>
    <message>
        <source>Bitte prüfen Sie, ob das Programm am angegebenen Ort existiert.</source>
        <translation>Please check that the program exists at the given place.</translation>
    </message>
    <message>
        <source>Der Bericht &apos;%1&apos; ist mit %2 MB zu groß zum Anzeigen (höchstens %3 MB).</source>
        <translation>The report &apos;%1&apos; is too large to show at %2 MB (at most %3 MB).</translation>
    </message>
    <message>
        <source>Speichern ...</source>
        <translation>Saving ...</translation>
    </message>
    <message>
        <source>Mail wird vorbereitet ...</source>
        <translation>Preparing the mail ...</translation>
    </message>
    <message>
        <source>Das Fenster wurde geschlossen, bevor der Bericht fertig war: nichts wurde gespeichert, gedruckt oder gemailt.</source>
        <translation>The window was closed before the report was ready: nothing was saved, printed or mailed.</translation>
    </message>
    <message>
        <source>Der Bericht wird geladen ...</source>
        <translation>Loading the report ...</translation>
    </message>
</context>
<context>
    <name>CGBrowserDiag</name>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Ausgabe in &apos;%1&apos;</source>
        <translation>Output to &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Drucken auf Drucker &apos;%1&apos;</source>
        <translation>Print on printer &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Drucken alles</source>
        <translation>Print all</translation>
    </message>
    <message>
        <source>Drucken Seite 1</source>
        <translation>Print page 1</translation>
    </message>
    <message>
        <source>Drucken Seite 2</source>
        <translation>Print page 2</translation>
    </message>
    <message>
        <source>Speichern als Text</source>
        <translation>Save as text</translation>
    </message>
    <message>
        <source>Speichern unter... als Text</source>
        <translation>Save as... text</translation>
    </message>
    <message>
        <source>Speichern als HTML</source>
        <translation>Save as HTML</translation>
    </message>
    <message>
        <source>Speichern unter... als HTML</source>
        <translation>Save as... HTML</translation>
    </message>
    <message>
        <source>Speichern als PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Speichern unter... als PDF</source>
        <translation>Save as... PDF</translation>
    </message>
    <message>
        <source>Speichern unter...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Mailen</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>Bericht per eMail senden</source>
        <translation>Send the report by e-mail</translation>
    </message>
    <message>
        <source>PDF zeigen (um zu Drucken)</source>
        <translation>Show PDF (to print)</translation>
    </message>
    <message>
        <source>als PDF speichern und dann PDF anzeigen (Viewer aufschalten)</source>
        <translation>save as PDF and then show the PDF (open the viewer)</translation>
    </message>
    <message>
        <source>Aktuelle Seite neu laden</source>
        <translation>Reload the current page</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Zurück zur Startseite</source>
        <translation>Back to the start page</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Zurück (Alt+Links)</source>
        <translation>Back (Alt+Left)</translation>
    </message>
    <message>
        <source>Vorwärts</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Vorwärts (Alt+Rechts)</source>
        <translation>Forward (Alt+Right)</translation>
    </message>
    <message>
        <source>Fenster schliessen</source>
        <translation>Close window</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bericht</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Die Auswahl wird in die Zwischenablage kopiert ...</source>
        <translation>Copying the selection to the clipboard ...</translation>
    </message>
</context>
<context>
    <name>CGBrowserEx</name>
    <message>
        <source>Kein PDF Viewer spezifiziert !</source>
        <translation>No PDF viewer specified!</translation>
    </message>
    <message>
        <source>Oder der PDF Viewer ist nicht mit der Endung &apos;pdf&apos; verknüpft.</source>
        <translation>Or the PDF viewer is not associated with the extension &apos;pdf&apos;.</translation>
    </message>
    <message>
        <source>Bitte verwenden Sie den Eigenschaften-Dialog.</source>
        <translation>Please use the properties dialog.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Der PDF Viewer</source>
        <translation>The PDF viewer</translation>
    </message>
    <message>
        <source>konnte nicht gestartet werden !</source>
        <translation>could not be started!</translation>
    </message>
    <message>
        <source>Bitte prüfen Sie, ob das Programm am angegebenen Ort existiert.</source>
        <translation>Please check that the program exists at the given place.</translation>
    </message>
    <message>
        <source>Bericht &apos;%1&apos; nur bis %2 Zeichen angezeigt: er ist gewachsen, seit er geöffnet wurde</source>
        <translation>Report &apos;%1&apos; shown up to %2 characters only: it has grown since it was opened</translation>
    </message>
    <message>
        <source>Datei &apos;%1&apos; ist zu groß für die Seite</source>
        <translation>File &apos;%1&apos; is too large for the page</translation>
    </message>
    <message>
        <source>Der Bericht wird geladen ...</source>
        <translation>Loading the report ...</translation>
    </message>
    <message>
        <source>Der Bericht &apos;%1&apos; kann nicht gelesen werden: %2</source>
        <translation>The report &apos;%1&apos; cannot be read: %2</translation>
    </message>
</context>
<context>
    <name>CGBrowserWeb</name>
    <message>
        <source>Lokale Datei ausserhalb des Berichtsordners nicht geladen: &apos;%1&apos;</source>
        <translation>Local file outside the report folder not loaded: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Sprung der Seite nicht gefolgt: &apos;%1&apos;</source>
        <translation>Jump of the page not followed: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Sprung der Seite auf lokale Datei ausserhalb des Berichtsordners nicht gefolgt: &apos;%1&apos;</source>
        <translation>Jump of the page to a local file outside the report folder not followed: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Es ist noch eine Druckausgabe aktiv.
- Bitte warten -</source>
        <translation>A print job is still running.
- Please wait -</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Druck auf &apos;%1&apos; fehlgeschlagen: keine Druckdaten.</source>
        <translation>Printing on &apos;%1&apos; failed: no print data.</translation>
    </message>
    <message>
        <source>Druck auf &apos;%1&apos; fehlgeschlagen.</source>
        <translation>Printing on &apos;%1&apos; failed.</translation>
    </message>
    <message>
        <source>PDF erstellt: &apos;%1&apos;</source>
        <translation>PDF created: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Druckauftrag auf &apos;%1&apos; veranlasst.</source>
        <translation>Print job sent to &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vorwärts</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Die Seite &apos;%1&apos; konnte nicht geladen werden.</source>
        <translation>The page &apos;%1&apos; could not be loaded.</translation>
    </message>
    <message>
        <source>PDF wird erstellt ...</source>
        <translation>Making the PDF ...</translation>
    </message>
    <message>
        <source>Die Seite konnte nicht als PDF gezeigt werden.</source>
        <translation>The page could not be shown as PDF.</translation>
    </message>
    <message>
        <source>Drucken ...</source>
        <translation>Printing ...</translation>
    </message>
    <message>
        <source>Das Fenster wurde geschlossen, bevor die PDF-Daten der Seite fertig waren.</source>
        <translation>The window was closed before the page&apos;s PDF data were ready.</translation>
    </message>
    <message>
        <source>Die Seite ergab keine PDF-Daten.</source>
        <translation>The page gave no PDF data.</translation>
    </message>
</context>
<context>
    <name>CGMail</name>
    <message>
        <source>Ein Mailversand ist bereits aktiv!</source>
        <translation>A mail is being sent already!</translation>
    </message>
    <message>
        <source>Beenden Sie das &apos;Senden&apos;-Fenster Ihres Mail-Clients.</source>
        <translation>Close the &apos;Send&apos; window of your mail client.</translation>
    </message>
    <message>
        <source>Danach wiederholen Sie bitte den Vorgang.</source>
        <translation>Then please try again.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Konnte Ordner &apos;%1&apos; nicht anlegen: %2</source>
        <translation>Could not create folder &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>keine Datei</source>
        <translation>no file</translation>
    </message>
    <message>
        <source>Konnte Berichtsdatei &apos;%1&apos; nicht lesen: %2</source>
        <translation>Could not read report file &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Anlage_%1</source>
        <translation>Attachment_%1</translation>
    </message>
    <message>
        <source>Bericht</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Anlage: %1</source>
        <translation>Attachment: %1</translation>
    </message>
    <message>
        <source>Konnte Interfacedatei &apos;%1&apos; nicht oeffnen.</source>
        <translation>Could not open interface file &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Dem Benutzer &apos;%1&apos; ist KEINE Mailadresse zugeordnet. Für SMTP Mailversand ist eine Absender Mailadresse erforderlich!</source>
        <translation>The user &apos;%1&apos; has NO mail address. Sending mail over SMTP needs a sender address!</translation>
    </message>
    <message>
        <source>Für SMTP Mailversand ist eine Absender Mailadresse erforderlich!</source>
        <translation>Sending mail over SMTP needs a sender address!</translation>
    </message>
    <message>
        <source>Mailversand</source>
        <translation>Sending mail</translation>
    </message>
    <message>
        <source>Bitte warten ! Mailversand ist aktiv</source>
        <translation>Please wait! Sending mail</translation>
    </message>
    <message>
        <source>Beim Versuch eine Mail zu versenden sind Fehler aufgetreten!</source>
        <translation>Errors occurred while trying to send a mail!</translation>
    </message>
    <message>
        <source>Hinweise finden Sie im Protokollfenster</source>
        <translation>See the protocol window for details</translation>
    </message>
    <message>
        <source>Berichtsdatei &apos;%1&apos; ist zu groß für eine Mail</source>
        <translation>Report file &apos;%1&apos; is too large for a mail</translation>
    </message>
    <message>
        <source>Konnte Anlage &apos;%1&apos; nicht übergeben.</source>
        <translation>Could not hand over attachment &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Mail wird vorbereitet ...</source>
        <translation>Preparing the mail ...</translation>
    </message>
</context>
<context>
    <name>CGruppenListe</name>
    <message>
        <source>Die Datenstruktur der Benutzerverwaltung enthält keine Gruppentabelle.</source>
        <translation>The user administration&apos;s data structure holds no group table.</translation>
    </message>
    <message>
        <source>Gruppe</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Neue Gruppe in der Datenbank anlegen</source>
        <translation>Create a new group in the database</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Gruppe löschen</source>
        <translation>Delete group</translation>
    </message>
    <message>
        <source>(oder rechte Maustaste in Liste)</source>
        <translation>(or right mouse button in the list)</translation>
    </message>
    <message>
        <source>&amp;Ändern</source>
        <translation>&amp;Change</translation>
    </message>
    <message>
        <source>Änderungen übernehmen und in Datenbank speichern</source>
        <translation>Take the changes and save them in the database</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Gruppentabelle !</source>
        <translation>Error accessing the group table!</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Löschen Gruppen-Eintrag</source>
        <translation>Delete the group entry</translation>
    </message>
    <message>
        <source>Gruppe Löschen</source>
        <translation>Delete group</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; endgültig löschen?</source>
        <translation>Delete group &apos;%1&apos; for good?</translation>
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
        <source>Gruppe &apos;%1&apos; gelöscht</source>
        <translation>Group &apos;%1&apos; deleted</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; kann nicht gelöscht werden, gelöscht werden, da dieser noch ein Anwender zugeordnet ist !</source>
        <translation>Group &apos;%1&apos; cannot be deleted, since one user is still in it!</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; kann nicht gelöscht werden, gelöscht werden, da dieser noch %2 Anwender zugeordnet sind !</source>
        <translation>Group &apos;%1&apos; cannot be deleted, since %2 users are still in it!</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; ist bereits vorhanden !</source>
        <translation>Group &apos;%1&apos; already exists!</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Anwendertabelle !</source>
        <translation>Error accessing the user table!</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; wurde inzwischen von anderer Seite geändert und wird neu geladen !</source>
        <translation>Group &apos;%1&apos; has been changed elsewhere meanwhile and is loaded again!</translation>
    </message>
    <message>
        <source>Gruppe &apos;%1&apos; ist nicht mehr vorhanden !</source>
        <translation>Group &apos;%1&apos; no longer exists!</translation>
    </message>
    <message>
        <source>Bitte einen Namen für die Gruppe eingeben !</source>
        <translation>Please enter a name for the group!</translation>
    </message>
    <message>
        <source>Gruppen</source>
        <translation>Groups</translation>
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
    <name>CIAmisc</name>
    <message>
        <source>Fehler (%1) bei</source>
        <translation>Error (%1) in</translation>
    </message>
</context>
<context>
    <name>CLineEdit</name>
    <message>
        <source>Fehler in Eingabe</source>
        <translation>Input error</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>COutlook_Interface_Impl</name>
    <message>
        <source>Anlage &apos;%1&apos; übersprungen: der Drop enthält nur den Inhalt der ersten Anlage</source>
        <translation>Attachment &apos;%1&apos; skipped: the drop holds only the content of the first attachment</translation>
    </message>
    <message>
        <source>Kann keinen Ordner für Anlagen in %1 anlegen: %2</source>
        <translation>Cannot make a folder for attachments in %1: %2</translation>
    </message>
    <message>
        <source>Die Anlage &apos;%1&apos; wurde nicht gespeichert</source>
        <translation>The attachment &apos;%1&apos; was not saved</translation>
    </message>
    <message>
        <source>Starte %1 -anlage -name &apos;%2&apos;</source>
        <translation>Starting %1 -anlage -name &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>CPBThread</name>
    <message>
        <source>Fehler bei Vorgang</source>
        <translation>Error in process</translation>
    </message>
    <message>
        <source>Starte: &apos;%1&apos;</source>
        <translation>Starting: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Zeitablauf -- der Prozess wurde noch nicht beendet</source>
        <translation>Timeout -- the process has not ended yet</translation>
    </message>
    <message>
        <source>Weitere Ausgaben des Programms werden nicht angezeigt.</source>
        <translation>Further output of the program is not shown.</translation>
    </message>
</context>
<context>
    <name>CPdfDatei</name>
    <message>
        <source>&apos;%1&apos; ist keine Datei.</source>
        <translation>&apos;%1&apos; is not a file.</translation>
    </message>
    <message>
        <source>Die PDF-Datei &apos;%1&apos; wurde nicht geschrieben.</source>
        <translation>The PDF file &apos;%1&apos; was not written.</translation>
    </message>
    <message>
        <source>Die PDF-Datei &apos;%1&apos; wurde nicht ganz geschrieben.</source>
        <translation>The PDF file &apos;%1&apos; was not written completely.</translation>
    </message>
</context>
<context>
    <name>CPopupAuswahl</name>
    <message>
        <source>Falsch initialisiert!</source>
        <translation>Wrongly initialised!</translation>
    </message>
</context>
<context>
    <name>CProzess</name>
    <message>
        <source>Fehler bei </source>
        <translation>Error in </translation>
    </message>
</context>
<context>
    <name>CProzessThread</name>
    <message>
        <source>ACHTUNG - Es sind Fehler aufgetreten !</source>
        <translation>ATTENTION - errors occurred!</translation>
    </message>
    <message>
        <source>- Prozess beendet -</source>
        <translation>- process ended -</translation>
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
    <name>CQIODatei</name>
    <message>
        <source>zu groß (%1 Bytes, höchstens %2)</source>
        <translation>too large (%1 bytes, at most %2)</translation>
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
    <name>CQNetworkAccessManager</name>
    <message>
        <source>SSL-Fehler:(%1) %2</source>
        <translation>SSL error:(%1) %2</translation>
    </message>
    <message>
        <source>Proxy-Server Authentification: fehlender Proxy Benutzername</source>
        <translation>Proxy server authentication: missing proxy user name</translation>
    </message>
    <message>
        <source>Proxy-Server Authentification:  fehlendes Proxy Benutzerkennwort</source>
        <translation>Proxy server authentication:  missing proxy password</translation>
    </message>
    <message>
        <source>Proxy-Server Authentification:  falsches Proxy Benutzerkennwort</source>
        <translation>Proxy server authentication:  wrong proxy password</translation>
    </message>
    <message>
        <source>Netzwerkzugriff fehlgeschlagen: %1</source>
        <translation>Network access failed: %1</translation>
    </message>
    <message>
        <source>Zeitablauf bei Zertifikatabfrage von %1</source>
        <translation>Timeout while fetching the certificate of %1</translation>
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
    <name>CSeiteEinrichtenWidget</name>
    <message>
        <source>Seite einrichten</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>Drucker</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Papier</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>Ausrichtung</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Rechts</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Oben</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Unten</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Min. links</source>
        <translation>Min. left</translation>
    </message>
    <message>
        <source>Min. rechts</source>
        <translation>Min. right</translation>
    </message>
    <message>
        <source>Min. oben</source>
        <translation>Min. top</translation>
    </message>
    <message>
        <source>Min. unten</source>
        <translation>Min. bottom</translation>
    </message>
    <message>
        <source>Drucker hinzufügen...</source>
        <translation>Add printer...</translation>
    </message>
    <message>
        <source>PDF-Datei hinzufügen...</source>
        <translation>Add PDF file...</translation>
    </message>
    <message>
        <source>Seite einrichten...</source>
        <translation>Page setup...</translation>
    </message>
    <message>
        <source>Als Standard</source>
        <translation>As default</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Testseite drucken</source>
        <translation>Print test page</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Es sind keine %1-Drucker zugeordnet.</source>
        <translation>No %1 printers are assigned.</translation>
    </message>
    <message>
        <source>Es ist kein %1-Drucker als Standarddrucker zugeordnet.</source>
        <translation>No %1 printer is assigned as the default printer.</translation>
    </message>
    <message>
        <source>Siehe %1 Datei-&gt;Seite einrichten</source>
        <translation>See %1 File-&gt;Page setup</translation>
    </message>
    <message>
        <source>Testdrucker nicht zugeordnet zugeordnet.</source>
        <translation>Test printer not assigned.</translation>
    </message>
    <message>
        <source>Testdruck auf Drucker &apos;%1&apos; erfolgt</source>
        <translation>Test page printed on printer &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Testdruck auf Drucker &apos;%1&apos; fehlgeschlagen.</source>
        <translation>Test page on printer &apos;%1&apos; failed.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Hochformat</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Querformat</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Drucker zuordnen</source>
        <translation>Assign printers</translation>
    </message>
    <message>
        <source>Es sind maximal %1 Drucker zulässig!</source>
        <translation>At most %1 printers are allowed!</translation>
    </message>
    <message>
        <source>Seite einrichten - Drucker %1</source>
        <translation>Page setup - printer %1</translation>
    </message>
</context>
<context>
    <name>CSeiteEinrichtenWidgetV1</name>
    <message>
        <source>Seite einrichten</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>Drucker wählen...</source>
        <translation>Choose printer...</translation>
    </message>
    <message>
        <source>Seite einrichten...</source>
        <translation>Page setup...</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Hochformat</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Querformat</source>
        <translation>Landscape</translation>
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
    <name>CTextEdit</name>
    <message>
        <source>STRG+Mausklick zum Öffnen der Verknüpfung</source>
        <translation>Ctrl+click to open the link</translation>
    </message>
</context>
<context>
    <name>CUrlEingabe</name>
    <message>
        <source>lade URL...</source>
        <translation>Load URL...</translation>
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
    <name>CWebBrowserDiag</name>
    <message>
        <source>toolbar</source>
        <translation>toolbar</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Neues Fenster</source>
        <translation>New window</translation>
    </message>
    <message>
        <source>lade Datei...</source>
        <translation>Load file...</translation>
    </message>
    <message>
        <source>lade URL...</source>
        <translation>Load URL...</translation>
    </message>
    <message>
        <source>Speichern als PDF...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Suchen weiter</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>Suchen zurück</source>
        <translation>Find previous</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ansicht</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Seite neu laden</source>
        <translation>Reload page</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>Reset &amp;Zoom</source>
        <translation>Reset &amp;Zoom</translation>
    </message>
    <message>
        <source>Seiten Quelltext anzeigen</source>
        <translation>Show page source</translation>
    </message>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Chronik</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vorwärts</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Startseite</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Über WebBrowser</source>
        <translation>About WebBrowser</translation>
    </message>
    <message>
        <source>Über Qt</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>Open Web Resource</source>
        <translation>Open Web Resource</translation>
    </message>
    <message>
        <source>Web Resources (*.html *.htm *.xml *.svg *.png *.gif *.svgz);;All files (*.*)</source>
        <translation>Web Resources (*.html *.htm *.xml *.svg *.png *.gif *.svgz);;All files (*.*)</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Benutzername und Kennwort eingeben für &quot;%1&quot; at %2&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Enter user name and password for &quot;%1&quot; at %2&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Verbinden zu Proxy &quot;%1&quot; verwenden:&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Connect to proxy &quot;%1&quot; using:&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>Speichern als PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; nicht gefunden.</source>
        <translation>&quot;%1&quot; not found.</translation>
    </message>
    <message>
        <source>Quelltext von %1</source>
        <translation>Source of %1</translation>
    </message>
    <message>
        <source>Über %1</source>
        <translation>About %1</translation>
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
    <message>
        <source>Die Deinstallation von %1 wurde nicht begonnen: ein anderes Programm bearbeitet das Verzeichnis</source>
        <translation>The uninstall of %1 was not started: another program is working on the folder</translation>
    </message>
    <message>
        <source>Bitte versuchen Sie es später noch einmal.</source>
        <translation>Please try again later.</translation>
    </message>
</context>
<context>
    <name>CZeilenpuffer</name>
    <message>
        <source>Zu wenig Arbeitsspeicher: weitere Zeilen werden hier nicht angezeigt</source>
        <translation>Not enough memory: further lines are not shown here</translation>
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
    <name>Canwender_passwort</name>
    <message>
        <source>Kennwort ändern</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>Kennwort setzen</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>Kennwort</source>
        <translation>Password</translation>
    </message>
</context>
<context>
    <name>CertificateInfo</name>
    <message>
        <source>Zertifikat</source>
        <translation>Certificate</translation>
    </message>
    <message>
        <source>Zertifizierungspfad</source>
        <translation>Certification path</translation>
    </message>
    <message>
        <source>Zertifikatinformationen</source>
        <translation>Certificate information</translation>
    </message>
    <message>
        <source>%1%2 (%3)</source>
        <translation>%1%2 (%3)</translation>
    </message>
    <message>
        <source>Aussteller: </source>
        <translation>Issuer: </translation>
    </message>
    <message>
        <source>Kein Zertifikat verfügbar!</source>
        <translation>No certificate available!</translation>
    </message>
    <message>
        <source>Fehler bei Netzwerkanfrage</source>
        <translation>Network request failed</translation>
    </message>
</context>
<context>
    <name>ClearButton</name>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>DPageSetupDialog</name>
    <message>
        <source>Seite einrichten</source>
        <translation>Page setup</translation>
    </message>
</context>
<context>
    <name>Dateien</name>
    <message>
        <source>%1 gehoert einem anderen Konto und liegt in einem geteilten Ordner: sie wird nicht beschrieben</source>
        <translation>%1 belongs to another account and lies in a shared folder: it is not written</translation>
    </message>
    <message>
        <source>%1 ist ein Link eines anderen Kontos in einem geteilten Ordner: ihm wird nicht gefolgt</source>
        <translation>%1 is a link of another account in a shared folder: it is not followed</translation>
    </message>
    <message>
        <source>%1; die Datei %2 ist nun laenger als zuvor</source>
        <translation>%1; the file %2 is now longer than before</translation>
    </message>
    <message>
        <source>%1; die alte Fassung von %2 liess sich nicht zurueckschreiben: die Datei ist beschaedigt, ihr alter Inhalt liegt in %3</source>
        <translation>%1; the old version of %2 could not be written back: the file is damaged, its old content lies in %3</translation>
    </message>
    <message>
        <source>Die neue Fassung von %1 laesst sich im Ordner %2 nicht ablegen: %3</source>
        <translation>The new version of %1 cannot be put in the folder %2: %3</translation>
    </message>
</context>
<context>
    <name>Dateisperre</name>
    <message>
        <source>Die Sperrdatei %1 haelt ein anderes Programm seit mehr als %2 s</source>
        <translation>Another program has held the lock file %1 for more than %2 s</translation>
    </message>
    <message>
        <source>Warten auf die Sperrdatei %1 angehalten</source>
        <translation>Wait for the lock file %1 stopped</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Clean up</source>
        <translation>Clean up</translation>
    </message>
    <message>
        <source>0 Items</source>
        <translation>0 Items</translation>
    </message>
</context>
<context>
    <name>DownloadItem</name>
    <message>
        <source>Filename</source>
        <translation>Filename</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>DownloadManager</name>
    <message>
        <source>1 Download</source>
        <translation>1 Download</translation>
    </message>
    <message>
        <source>%1 Downloads</source>
        <translation>%1 Downloads</translation>
    </message>
</context>
<context>
    <name>DownloadWidget</name>
    <message>
        <source>seconds</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>- %4 %5 remaining</source>
        <translation>- %4 %5 remaining</translation>
    </message>
    <message>
        <source>%1 of %2 (%3/sec) %4</source>
        <translation>%1 of %2 (%3/sec) %4</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>%1 of %2 - Stopped</source>
        <translation>%1 of %2 - Stopped</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Download interrupted</source>
        <translation>Download interrupted</translation>
    </message>
    <message>
        <source>Download interrupted: %1</source>
        <translation>Download interrupted: %1</translation>
    </message>
    <message>
        <source>Download cancelled</source>
        <translation>Download cancelled</translation>
    </message>
</context>
<context>
    <name>EingabeString</name>
    <message>
        <source>Eingabe</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>textLabel1</source>
        <translation>textLabel1</translation>
    </message>
    <message>
        <source>textLabel2</source>
        <translation>textLabel2</translation>
    </message>
    <message>
        <source>Suchoptionen</source>
        <translation>Search options</translation>
    </message>
    <message>
        <source>CheckBox</source>
        <translation>CheckBox</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Alt+O</source>
        <translation>Alt+O</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Alt+A</source>
        <translation>Alt+C</translation>
    </message>
</context>
<context>
    <name>Einstellungen</name>
    <message>
        <source>Die Einstellungsdatei %1 ist nicht ganz lesbar und kann nicht beiseitegelegt werden: sie wird nicht mehr geschrieben.</source>
        <translation>The settings file %1 cannot be read whole and cannot be kept aside: it is not written again.</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei %1 ist nicht ganz lesbar; sie ist als %2 aufbewahrt.</source>
        <translation>The settings file %1 cannot be read whole; it is kept as %2.</translation>
    </message>
    <message>
        <source>die Datei ist nicht ganz lesbar und kann nicht beiseitegelegt werden</source>
        <translation>the file cannot be read whole and cannot be kept aside</translation>
    </message>
    <message>
        <source>die Datei ist nicht lesbar</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>die Datei ist nicht schreibbar</source>
        <translation>the file cannot be written</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei des Benutzers und hielte das Programm an; sie liegt jetzt unter %2.</source>
        <translation>%1 is not a regular file of the user and would stop the program; it has been moved to %2.</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei des Benutzers und lässt sich nicht beiseitelegen; die Einstellungen gelten nur bis zum Ende des Programms.</source>
        <translation>%1 is not a regular file of the user and cannot be moved aside; the settings last only until the program ends.</translation>
    </message>
</context>
<context>
    <name>FeaturePermissionBar</name>
    <message>
        <source>Deny</source>
        <translation>Deny</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Allow</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1 wants to %2.</source>
        <translation>%1 wants to %2.</translation>
    </message>
</context>
<context>
    <name>FullScreenNotification</name>
    <message>
        <source>You are now in fullscreen mode. Press ESC to quit!</source>
        <translation>You are now in fullscreen mode. Press ESC to quit!</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>History</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Remove &amp;All</source>
        <translation>Remove &amp;All</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>HistoryManager</name>
    <message>
        <source>Loading History</source>
        <translation>Loading History</translation>
    </message>
    <message>
        <source>The history file could not be read whole.</source>
        <translation>The history file could not be read whole.</translation>
    </message>
    <message>
        <source>Saving History</source>
        <translation>Saving History</translation>
    </message>
    <message>
        <source>The history could not be saved; the visits since its last save are not in the file.
%1</source>
        <translation>The history could not be saved; the visits since its last save are not in the file.
%1</translation>
    </message>
</context>
<context>
    <name>HistoryMenu</name>
    <message>
        <source>Show All History</source>
        <translation>Show All History</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Clear History</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
</context>
<context>
    <name>HistoryTreeModel</name>
    <message>
        <source>Earlier Today</source>
        <translation>Earlier Today</translation>
    </message>
    <message>
        <source>%1 items</source>
        <translation>%1 items</translation>
    </message>
</context>
<context>
    <name>Linkfreigabe</name>
    <message>
        <source>Link nicht geöffnet (%1): &apos;%2&apos;</source>
        <translation>Link not opened (%1): &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Schema &apos;%1&apos;</source>
        <translation>scheme &apos;%1&apos;</translation>
    </message>
    <message>
        <source>keine Datei</source>
        <translation>no file</translation>
    </message>
    <message>
        <source>ausführbar</source>
        <translation>executable</translation>
    </message>
    <message>
        <source>kein Dokument: %1</source>
        <translation>not a document: %1</translation>
    </message>
</context>
<context>
    <name>PageSetupWidget</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Papier</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>Seitengröße:</source>
        <translation>Page size:</translation>
    </message>
    <message>
        <source>Breite:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Höhe:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Ausrichtung</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Hochformat</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Querformat</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Ränder</source>
        <translation>Margins</translation>
    </message>
    <message>
        <source>top margin</source>
        <translation>top margin</translation>
    </message>
    <message>
        <source>left margin</source>
        <translation>left margin</translation>
    </message>
    <message>
        <source>right margin</source>
        <translation>right margin</translation>
    </message>
    <message>
        <source>bottom margin</source>
        <translation>bottom margin</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Authentifikation erforderlich</source>
        <translation>Authentication required</translation>
    </message>
    <message>
        <source>DUMMY ICON</source>
        <translation>DUMMY ICON</translation>
    </message>
    <message>
        <source>INTRO TEXT DUMMY</source>
        <translation>INTRO TEXT DUMMY</translation>
    </message>
    <message>
        <source>Benutzername:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>Kennwort:</source>
        <translation>Password:</translation>
    </message>
</context>
<context>
    <name>PrintToPdfDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Save as:</source>
        <translation>Save as:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Page layout:</source>
        <translation>Page layout:</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Save PDF as</source>
        <translation>Save PDF as</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Print to PDF</translation>
    </message>
    <message>
        <source>The PDF file %1 could not be written: %2</source>
        <translation>The PDF file %1 could not be written: %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Printing to PDF ...</source>
        <translation>Printing to PDF ...</translation>
    </message>
</context>
<context>
    <name>ProxyDialog</name>
    <message>
        <source>Proxy Authentifikation</source>
        <translation>Proxy authentication</translation>
    </message>
    <message>
        <source>ICON</source>
        <translation>ICON</translation>
    </message>
    <message>
        <source>Connect to proxy</source>
        <translation>Connect to proxy</translation>
    </message>
    <message>
        <source>benutzername:</source>
        <translation>user name:</translation>
    </message>
    <message>
        <source>kennwort:</source>
        <translation>password:</translation>
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
    <message>
        <source>Sprache &apos;%1&apos; nicht verfuegbar - das Programm startet in Deutsch</source>
        <translation>Language &apos;%1&apos; not available - the program starts in German</translation>
    </message>
    <message>
        <source>Keine Anzeige gefunden (DISPLAY, WAYLAND_DISPLAY und QT_QPA_PLATFORM sind leer); ohne Fenster laufen -silent -install, -version, /REGSERVER und /UNREGSERVER.</source>
        <translation>No display found (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are empty); without a window run -silent -install, -version, /REGSERVER and /UNREGSERVER.</translation>
    </message>
    <message>
        <source>Zahlenstring enthält unzulässiges &apos;-&apos;</source>
        <translation>Number text holds a &apos;-&apos; not allowed</translation>
    </message>
    <message>
        <source>unzulässiger Zahlenstring</source>
        <translation>invalid number text</translation>
    </message>
    <message>
        <source>Mantisse fehlerhaft</source>
        <translation>faulty mantissa</translation>
    </message>
    <message>
        <source>Maximale Zahl der Kommastellen %1 überschritten</source>
        <translation>Maximum number of decimals %1 exceeded</translation>
    </message>
    <message>
        <source>Minimalwert %1 unterschritten</source>
        <translation>Below the minimum %1</translation>
    </message>
    <message>
        <source>Maximalwert %1 überschritten</source>
        <translation>Above the maximum %1</translation>
    </message>
    <message>
        <source>Die Datei %1 kann nicht geschrieben werden !</source>
        <translation>The file %1 cannot be written!</translation>
    </message>
    <message>
        <source>Das Papier &apos;%1&apos; ist zu klein für eine Zeile und die Fußzeile: es wurde nichts gedruckt.</source>
        <translation>The paper &apos;%1&apos; is too small for one line and the footer: nothing was printed.</translation>
    </message>
    <message>
        <source>Ein Absatz oder eine Tabelle ist zu lang für den Druck (über %1 Seiten): es wurde nichts gedruckt.</source>
        <translation>A paragraph or table is too long to print (over %1 pages): nothing was printed.</translation>
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
    <message>
        <source>Qt-Sprachdatei: &apos;%1&apos;</source>
        <translation>Qt language file: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>PDFDatei</source>
        <translation>PDFFile</translation>
    </message>
    <message>
        <source>Interner Fehler: Steuervariable &apos;%1&apos; nicht definiert !!</source>
        <translation>Internal error: setting &apos;%1&apos; not defined!!</translation>
    </message>
    <message>
        <source>PDF Ausgabe</source>
        <translation>PDF output</translation>
    </message>
    <message>
        <source>pdfdatei</source>
        <translation>pdffile</translation>
    </message>
    <message>
        <source>Verbindung zu Drucker &apos;%1&apos; fehlgeschlagen. Ist Ausgabedatei noch geöffnet?</source>
        <translation>Connecting to printer &apos;%1&apos; failed. Is the output file still open?</translation>
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
        <source>Buchstabe bei Umwandlung von string in double: %1</source>
        <translation>Letter while converting string to double: %1</translation>
    </message>
    <message>
        <source>Fehler bei Umwandlung von String in int: </source>
        <translation>Error converting string to int: </translation>
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
        <source>Kennwort des Mapi Users</source>
        <translation>Password of the MAPI user</translation>
    </message>
    <message>
        <source>Kennwort des Proxy Users</source>
        <translation>Password of the proxy user</translation>
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
        <source>Bei Exponentialdarstellung Ausgabe der Zahl &gt;</source>
        <translation>In exponential notation, writing the number &gt;</translation>
    </message>
    <message>
        <source>&lt; Zeichen Breite nicht moeglich! 0 wird ausgegeben.</source>
        <translation>&lt; characters width not possible! 0 is written.</translation>
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
        <source>Die Ausgabe der Zahl &gt;</source>
        <translation>Writing the number &gt;</translation>
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
        <source>Bitte &lt;Enter&gt; druecken
</source>
        <translation>Please press &lt;Enter&gt;
</translation>
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
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>vom</source>
        <translation>of</translation>
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
        <source>Zu wenig Speicher für diese Arbeit.</source>
        <translation>Not enough memory for this work.</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Drucken ...</source>
        <translation>Printing ...</translation>
    </message>
    <message>
        <source>The file is not an XBEL version 1.0 file.</source>
        <translation>The file is not an XBEL version 1.0 file.</translation>
    </message>
    <message>
        <source>The bookmark folders are nested too deeply.</source>
        <translation>The bookmark folders are nested too deeply.</translation>
    </message>
    <message>
        <source>Unknown title</source>
        <translation>Unknown title</translation>
    </message>
    <message>
        <source>use desktop notifications</source>
        <translation>use desktop notifications</translation>
    </message>
    <message>
        <source>use your position</source>
        <translation>use your position</translation>
    </message>
    <message>
        <source>use your microphone</source>
        <translation>use your microphone</translation>
    </message>
    <message>
        <source>use your camera</source>
        <translation>use your camera</translation>
    </message>
    <message>
        <source>use your camera and microphone</source>
        <translation>use your camera and microphone</translation>
    </message>
    <message>
        <source>lock your mouse</source>
        <translation>lock your mouse</translation>
    </message>
    <message>
        <source>capture your screen</source>
        <translation>capture your screen</translation>
    </message>
    <message>
        <source>capture your screen and audio</source>
        <translation>capture your screen and audio</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Anwendertabelle !</source>
        <translation>Error accessing the user table!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Programmende: die Verbindung zur Anzeige ist abgebrochen, laufende Aufträge wurden angehalten</source>
        <translation>Program ended: the connection to the display was lost, running jobs were stopped</translation>
    </message>
    <message>
        <source>Programmende durch Signal %1: laufende Aufträge wurden angehalten</source>
        <translation>Program ended by signal %1: running jobs were stopped</translation>
    </message>
    <message>
        <source>Speichern ...</source>
        <translation>Saving ...</translation>
    </message>
    <message>
        <source>Das Fenster wurde geschlossen oder sein Text geändert, bevor er ganz kopiert war.</source>
        <translation>The window was closed or its text changed before it was copied whole.</translation>
    </message>
    <message>
        <source>Es wurde nichts gedruckt.</source>
        <translation>Nothing was printed.</translation>
    </message>
    <message>
        <source>Speichern abgebrochen: nichts wurde geschrieben.</source>
        <translation>Saving cancelled: nothing was written.</translation>
    </message>
    <message>
        <source>Speichern abgebrochen: &apos;%1&apos; wurde nicht geschrieben.</source>
        <translation>Saving cancelled: &apos;%1&apos; was not written.</translation>
    </message>
</context>
<context>
    <name>SavePageDialog</name>
    <message>
        <source>Single HTML</source>
        <translation>Single HTML</translation>
    </message>
    <message>
        <source>Complete HTML</source>
        <translation>Complete HTML</translation>
    </message>
    <message>
        <source>MIME HTML</source>
        <translation>MIME HTML</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>&amp;Save to:</source>
        <translation>&amp;Save to:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Save Page As</source>
        <translation>Save Page As</translation>
    </message>
</context>
<context>
    <name>SearchLineEdit</name>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Loading Settings</source>
        <translation>Loading Settings</translation>
    </message>
    <message>
        <source>Saving Settings</source>
        <translation>Saving Settings</translation>
    </message>
    <message>
        <source>The settings could not be saved; the file keeps the settings saved before.
%1</source>
        <translation>The settings could not be saved; the file keeps the settings saved before.
%1</translation>
    </message>
</context>
<context>
    <name>TabBar</name>
    <message>
        <source>New &amp;Tab</source>
        <translation>New &amp;Tab</translation>
    </message>
    <message>
        <source>Clone Tab</source>
        <translation>Clone Tab</translation>
    </message>
    <message>
        <source>&amp;Close Tab</source>
        <translation>&amp;Close Tab</translation>
    </message>
    <message>
        <source>Close &amp;Other Tabs</source>
        <translation>Close &amp;Other Tabs</translation>
    </message>
    <message>
        <source>Reload Tab</source>
        <translation>Reload Tab</translation>
    </message>
    <message>
        <source>Mute tab</source>
        <translation>Mute tab</translation>
    </message>
    <message>
        <source>Unmute tab</source>
        <translation>Unmute tab</translation>
    </message>
    <message>
        <source>Reload All Tabs</source>
        <translation>Reload All Tabs</translation>
    </message>
</context>
<context>
    <name>TabWidget</name>
    <message>
        <source>New &amp;Tab</source>
        <translation>New &amp;Tab</translation>
    </message>
    <message>
        <source>&amp;Close Tab</source>
        <translation>&amp;Close Tab</translation>
    </message>
    <message>
        <source>Show Next Tab</source>
        <translation>Show Next Tab</translation>
    </message>
    <message>
        <source>Show Previous Tab</source>
        <translation>Show Previous Tab</translation>
    </message>
    <message>
        <source>Recently Closed Tabs</source>
        <translation>Recently Closed Tabs</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Untitled)</translation>
    </message>
    <message>
        <source> (muted)</source>
        <translation> (muted)</translation>
    </message>
    <message>
        <source> (audible)</source>
        <translation> (audible)</translation>
    </message>
</context>
<context>
    <name>ToolbarSearch</name>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>No Recent Searches</source>
        <translation>No Recent Searches</translation>
    </message>
    <message>
        <source>Recent Searches</source>
        <translation>Recent Searches</translation>
    </message>
    <message>
        <source>Clear Recent Searches</source>
        <translation>Clear Recent Searches</translation>
    </message>
</context>
<context>
    <name>UpdaterMainWindow</name>
    <message>
        <source>Einstellungen nicht gespeichert: %1</source>
        <translation>Settings not saved: %1</translation>
    </message>
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
        <source>Verzeichnis %1 wurde während der Deinstallation aus dem Zielverzeichnis verschoben: %2 aufgezeichnete Einträge darin wurden nicht gelöscht und nicht mehr aufgezeichnet</source>
        <translation>Folder %1 was moved out of the target folder during the uninstall: %2 recorded entries in it were not deleted and are no longer recorded</translation>
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
        <source>Fehler: Verzeichnis &apos;%1&apos; kann nicht angelegt werden</source>
        <translation>Error: folder &apos;%1&apos; cannot be created</translation>
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
        <source>Größe</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Zielverzeichnis %1 wird von einem anderen Auftrag bearbeitet: warte, bis er endet</source>
        <translation>Target folder %1 is being worked on by another job: waiting until it ends</translation>
    </message>
    <message>
        <source>Zielverzeichnis %1 existiert nicht</source>
        <translation>Target folder %1 does not exist</translation>
    </message>
    <message>
        <source>Nicht genug Arbeitsspeicher</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>Das System startet keinen weiteren Thread: %1</source>
        <translation>The system starts no further thread: %1</translation>
    </message>
    <message>
        <source>Unbekannte Ausnahme</source>
        <translation>Unknown exception</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Warten auf Zielverzeichnis %1 angehalten</source>
        <translation>Wait for target folder %1 stopped</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>If you wish so, you may continue with an unverified certificate. Accepting an unverified certificate means you may not be connected with the host you tried to connect to.
Do you wish to override the security check and continue?</source>
        <translation>If you wish so, you may continue with an unverified certificate. Accepting an unverified certificate means you may not be connected with the host you tried to connect to.
Do you wish to override the security check and continue?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Certificate Error</source>
        <translation>Certificate Error</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Enter username and password for &quot;%1&quot; at %2&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Enter username and password for &quot;%1&quot; at %2&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>&lt;qt&gt;Connect to proxy &quot;%1&quot; using:&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;Connect to proxy &quot;%1&quot; using:&lt;/qt&gt;</translation>
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
    <message>
        <source>Root-Verzeichnis der Anwendung nicht gefunden!</source>
        <translation>Root folder of the application not found!</translation>
    </message>
    <message>
        <source>Konnte HOME-Verzeichnis nicht finden.</source>
        <translation>Could not find the HOME folder.</translation>
    </message>
    <message>
        <source>Logo_Datei_nicht_vorhanden</source>
        <translation>Logo_file_missing</translation>
    </message>
    <message>
        <source>Datei %1 wird uebergangen: sie gehoert nicht dem Anwender oder andere duerfen sie aendern</source>
        <translation>File %1 is passed over: it does not belong to the user, or others may change it</translation>
    </message>
</context>
<context>
    <name>anwender_passwort</name>
    <message>
        <source>Kennwort Anwender/Bearbeiter</source>
        <translation>Password of the user/editor</translation>
    </message>
    <message>
        <source>Anwender/Bearbeiter</source>
        <translation>User/editor</translation>
    </message>
    <message>
        <source>altes Kennwort</source>
        <translation>old password</translation>
    </message>
    <message>
        <source>neues Kennwort</source>
        <translation>new password</translation>
    </message>
    <message>
        <source>neues Kennwort bestätigen</source>
        <translation>confirm the new password</translation>
    </message>
    <message>
        <source>Modus</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
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
<context>
    <name>widgetlog</name>
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
</TS>
