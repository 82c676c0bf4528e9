#include "cgbrowserex.h"
#include "berichtslink.h"
#include "ccat.h"
#include "cqiodatei.h"
#include "ctextedit.h"
#include "dateien.h"
#include "gui.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextStream>

#include <cerrno>

namespace {

// The lines of a text report as HTML that reads back as those lines; empty when it cannot be read.
QString textbericht_als_html(const QString& datei)
{
    QString text;
    QString fehler;
    if (!CQIODatei::lies_text(datei, text, fehler))
        return QString();
    // Lines ended as on Windows are lines all the same.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextDocument dokument;
    dokument.setPlainText(text);
    return dokument.toHtml(QByteArrayLiteral("utf-8"));
}

} // namespace

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
    // Resolved against the page shown, "file:" addresses with a relative path too.
    const QUrl adresse = source().isRelative() ? name : loese_link_auf(source(), name);
    const QString datei = adresse.isLocalFile() ? adresse.toLocalFile()
                          : adresse.scheme().isEmpty() ? adresse.path()
                                                       : QString();
    if (!QFileInfo(datei).isAbsolute())
        return QTextBrowser::loadResource(typ, name);
    if (typ == QTextDocument::HtmlResource && ist_textbericht(datei))
        return textbericht_als_html(datei);
    QFile inhalt(datei);
    if (oeffne_regulaere_datei(inhalt, QIODevice::ReadOnly))
        return inhalt.readAll();
    // An empty resource, not a null one: the document would then try the file itself. A missing
    // or unreadable file fails there at once, as before.
    return errno == EINVAL ? QVariant(QByteArray("")) : QVariant();
}

CQString CGBrowserEx::lies_quelldatei() const
{
    if (ist_textbericht(quelle))
        return CQString(textbericht_als_html(quelle));
    QFile datei(quelle);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly))
        return CQString();
    QTextStream stream(&datei);
    return CQString(stream.readAll());
}

bool CGBrowserEx::zeige_quelle(const CQString& text)
{
    if (text.isEmpty()) {
        quelle.clear();
        return false;
    }
    const Linkziel ziel = pruefe_berichtslink(text);
    switch (ziel.art) {
    case Linkart::Anker:
        // The shell would take it for a file of its own.
        scrollToAnchor(text.mid(1));
        return true;
    case Linkart::Webadresse:
        CTextEdit::oeffne_url(text, true);
        return false;
    case Linkart::Mailadresse:
        CTextEdit::oeffne_url(text, false);
        return false;
    case Linkart::Dokument:
        oeffne_dokument(text, ziel.datei, "CGBrowserEx");
        return false;
    case Linkart::Verweigert:
        return false;
    case Linkart::Seite:
        break;
    }
    if (bericht_fehlt(ziel.datei))
        return false;
    // A name relative to the current folder is taken from there, and so are the links in it; an
    // address keeps its anchor.
    const QUrl adresse = text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) && QUrl(text).isValid()
                             ? QUrl(text)
                             : QUrl::fromLocalFile(QFileInfo(ziel.datei).absoluteFilePath());
    CQCat::gib_instanz()->debug(CQString(QStringLiteral("URL: %1").arg(adresse.toString())));
    setze_warte_cursor(true, false);
    setSource(adresse);
    setze_warte_cursor(false, false);
    // The file itself, not its address: printing and mailing read it.
    quelle = CQString(ziel.datei);
    return true;
}
