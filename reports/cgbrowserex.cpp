#include "cgbrowserex.h"
#include "ccat.h"
#include "ctextedit.h"
#include "dateien.h"
#include "gui.h"
#include "pdfoeffner.h"
#include "steuerzeichen.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextStream>

#include <cerrno>

namespace {

// The page runs no script, and handed to the shell a script address would run in a browser.
bool ist_skriptlink(const QString& text)
{
    return text.trimmed().startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive);
}

// What the shell would start rather than open: a program or script the user may run, a desktop
// entry, or a Windows program (started by its suffix alone). A document that merely carries the
// execute right, as on shares that mark every file so, is still opened.
bool ist_programm(const QString& pfad)
{
    const QString datei = lokale_datei(pfad);
    if (datei.isEmpty())
        return false;
    const QFileInfo info(datei);
    for (const char* endung : {"desktop", "exe", "com", "bat", "cmd", "msi", "scr", "pif", "lnk"})
        if (info.suffix().compare(QLatin1String(endung), Qt::CaseInsensitive) == 0)
            return true;
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile inhalt(datei);
    if (!oeffne_regulaere_datei(inhalt, QIODevice::ReadOnly))
        return true;
    const QByteArray anfang = inhalt.read(4);
    return anfang.startsWith("#!") || anfang == QByteArray("\x7f" "ELF");
}

} // namespace

QString lokale_datei(const QString& pfad)
{
    const QUrl adresse(pfad);
    if (adresse.scheme().size() <= 1)
        return pfad;
    return adresse.isLocalFile() ? adresse.toLocalFile() : QString();
}

CGBrowserEx::CGBrowserEx(QWidget* eltern) : QTextBrowser(eltern)
{
    setOpenLinks(false);
    setOpenExternalLinks(true);
}

CQString CGBrowserEx::gib_html() const
{
    return CQString(document()->toHtml(QByteArrayLiteral("utf-8")));
}

QVariant CGBrowserEx::loadResource(int typ, const QUrl& name)
{
    // Resolved as QTextBrowser resolves it: against the page shown.
    const QUrl adresse = name.isRelative() && !source().isRelative() ? source().resolved(name) : name;
    const QString datei = adresse.isLocalFile() ? adresse.toLocalFile()
                          : adresse.scheme().isEmpty() ? adresse.path()
                                                       : QString();
    if (!QFileInfo(datei).isAbsolute())
        return QTextBrowser::loadResource(typ, name);
    QFile inhalt(datei);
    if (oeffne_regulaere_datei(inhalt, QIODevice::ReadOnly))
        return inhalt.readAll();
    // An empty resource, not a null one: the document would then try the file itself. A missing
    // or unreadable file fails there at once, as before.
    return errno == EINVAL ? QVariant(QByteArray("")) : QVariant();
}

CQString CGBrowserEx::lies_quelldatei() const
{
    QFile datei(quelle);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly))
        return CQString();
    QTextStream stream(&datei);
    return CQString(stream.readAll());
}

bool CGBrowserEx::zeige_quelle(const CQString& text)
{
    // An anchor of the shown page: the shell would take it for a file of its own. The page's
    // source stays, its file is still the one to print and mail.
    if (text.startsWith(QLatin1Char('#'))) {
        scrollToAnchor(text.mid(1));
        return true;
    }
    quelle = text;
    if (text.isEmpty() || ist_skriptlink(text))
        return false;
    const bool datei_adresse = text.startsWith(QLatin1String("file:"));
    for (const char* schema : {"http://", "https://", "ftp://"}) {
        if (text.startsWith(QLatin1String(schema))) {
            CTextEdit::oeffne_url(text, true);
            return false;
        }
    }

    const QString endung = QFileInfo(text).suffix().toLower();
    if (endung == QLatin1String("xml") || endung == QLatin1String("txt") || endung == QLatin1String("htm") ||
        endung == QLatin1String("html")) {
        const QUrl adresse = datei_adresse ? QUrl(text) : QUrl::fromLocalFile(text);
        CQCat::gib_instanz()->debug(CQString(QStringLiteral("URL: %1").arg(adresse.toString())));
        setze_warte_cursor(true, false);
        setSource(adresse);
        setze_warte_cursor(false, false);
        return true;
    }

    QString pfad = text;
    if (datei_adresse) {
        // A link's address keeps quotes, "%" and "#" of a name percent-encoded, and the shell
        // wants the name itself. A text that is no address loses its prefix as it stands: the
        // third slash of "file:///" begins the path (on Windows the drive letter follows).
        const QUrl adresse(text);
        if (adresse.isValid()) {
            pfad = adresse.toLocalFile();
        } else {
            pfad.replace(QLatin1String("file:///"), QLatin1String("/"), Qt::CaseInsensitive);
            pfad.remove(QLatin1String("file:"), Qt::CaseInsensitive);
        }
        pfad.replace(QLatin1Char('\\'), QLatin1Char('/'));
    } else if (pfad.startsWith(QLatin1Char('\\')) || pfad.startsWith(QLatin1String("//"))) {
        pfad.replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    // A report's link opens documents, it does not start programs.
    if (ist_programm(pfad)) {
        CQCat::gib_instanz()->warn(
            CQString(tr("Link auf ein Programm nicht gestartet: '%1'").arg(maskiere_steuerzeichen(pfad))));
        return false;
    }
    if (endung == QLatin1String("pdf"))
        zeige_pdf_mit_meldung(CQString(pfad), "CGBrowserEx");
    else
        CTextEdit::oeffne_url(CQString(pfad), false);
    return false;
}
