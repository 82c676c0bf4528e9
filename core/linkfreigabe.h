// Which links the system follows: web and mail addresses, anchors and local documents by an allow-list; every other kind is refused.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// What a link leads to. Nothing outside this list is opened, handed to the shell or to the
// desktop: a new scheme or a new kind of file is refused until it is named here.
enum class Linkart
{
    // "#name": a place in the shown page.
    Anker,
    // "http:" or "https:".
    Webadresse,
    // "mailto:".
    Mailadresse,
    // A local file with one of the suffixes the caller shows itself (its viewer runs nothing).
    Seite,
    // A local file that a program opens for reading (PDF, text, office document, picture): not
    // executable, and not of a type that runs code when opened.
    Dokument,
    // Anything else; the refusal has been logged.
    Verweigert,
};

struct Linkziel
{
    Linkart art = Linkart::Verweigert;
    // Seite and Dokument: the local file (a "file:" address decoded); empty for the others.
    QString datei;
};

// Decides a link by the allow-list. Schemes are compared without regard to case; a text without
// scheme (a drive letter is none) is a file path as it stands, a "file:" address names the file
// it decodes to. A file whose suffix (lower-cased) is in `seitenendungen` is a Seite; any other
// file is a Dokument only when it is not executable and its type, as QMimeDatabase reads it from
// its name (the name is what the shell picks the program by), is one of the document types; a
// file that does not exist (a share not mounted here) is judged by its name alone. Every refusal
// is logged as a warning with the link (a file by its name) and the reason.
Linkziel pruefe_link(const QString& adresse, const QStringList& seitenendungen = QStringList());

// A link of a page that lies at `basis`, as the page means it: a name without scheme and a
// "file:" address with a relative path ("file:andere.html", "file:sub/u.html") are resolved
// against the page's folder; anchors, absolute addresses and links of a page without address
// stay as they are.
QUrl loese_link_auf(const QUrl& basis, const QUrl& link);

// The file a path or "file:" address names; empty for an address of another scheme ("mailto:",
// "smb://"). A drive letter is no scheme.
QString lokale_datei(const QString& pfad);

// The file a "file:" address names, as `QUrl::toLocalFile` gives it, except that the host
// "localhost" means this machine, as no host does ("file://localhost/a/x" is "/a/x"); another
// host names a share ("//host/a/x"). Empty for an address of another scheme.
QString lokaler_pfad(const QUrl& adresse);
