#include "cgbrowserex.h"
#include "ccat.h"
#include "ctextedit.h"
#include "gui.h"
#include "pdfoeffner.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextStream>

CGBrowserEx::CGBrowserEx(QWidget* eltern) : QTextBrowser(eltern)
{
    setOpenLinks(false);
    setOpenExternalLinks(true);
}

CQString CGBrowserEx::gib_html() const
{
    return CQString(document()->toHtml(QByteArrayLiteral("utf-8")));
}

CQString CGBrowserEx::lies_quelldatei() const
{
    QFile datei(quelle);
    if (!datei.open(QIODevice::ReadOnly))
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
    if (text.isEmpty())
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
        // The third slash of "file:///" begins the path here (on Windows the drive letter follows).
        pfad.replace(QLatin1String("file:///"), QLatin1String("/"), Qt::CaseInsensitive);
        pfad.remove(QLatin1String("file:"), Qt::CaseInsensitive);
        pfad.replace(QLatin1Char('\\'), QLatin1Char('/'));
    } else if (pfad.startsWith(QLatin1Char('\\')) || pfad.startsWith(QLatin1String("//"))) {
        pfad.replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    if (endung == QLatin1String("pdf"))
        zeige_pdf_mit_meldung(CQString(pfad), "CGBrowserEx");
    else
        CTextEdit::oeffne_url(CQString(pfad), false);
    return false;
}
