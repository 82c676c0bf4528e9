#include "berichtslink.h"
#include "ccat.h"
#include "ctextedit.h"
#include "dateien.h"
#include "dialogseam.h"
#include "gui.h"
#include "pdfoeffner.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

const QStringList& berichtsendungen()
{
    static const QStringList endungen{QStringLiteral("xml"), QStringLiteral("txt"), QStringLiteral("htm"),
                                      QStringLiteral("html")};
    return endungen;
}

Linkziel pruefe_berichtslink(const QString& text)
{
    return pruefe_link(text, berichtsendungen());
}

namespace {

// The user is told in the log and in a warning box.
void melde_bericht(const QString& text)
{
    CQCat::gib_instanz()->error(CQString(text));
    frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), text,
                       {QCoreApplication::translate("CGBrowser", "Ok")}, 0, 0);
}

// Table cells a text page lays out in about a second: Qt lays a table out whole, at every change
// of the page's width too.
constexpr int meiste_tabellenzellen = 10000;

// The table cells of the HTML file `datei`, read whole (it is no larger than a page loads).
int tabellenzellen(const QString& datei)
{
    QFile html(datei);
    if (!oeffne_regulaere_datei(html, QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression zelle(QStringLiteral("<t[dh][\\s>/]"), QRegularExpression::CaseInsensitiveOption);
    int zellen = 0;
    for (auto treffer = zelle.globalMatch(QString::fromLatin1(html.readAll())); treffer.hasNext(); treffer.next())
        ++zellen;
    return zellen;
}

} // namespace

bool bericht_fehlt(const QString& datei)
{
    if (ist_datei(datei))
        return false;
    melde_bericht(QCoreApplication::translate("CGBrowser", "Der Bericht '%1' ist nicht vorhanden !").arg(datei));
    return true;
}

qint64 groesste_berichtsdatei(const QString& datei, bool textseite)
{
    constexpr qint64 mib = 1024 * 1024;
    if (ist_textbericht(datei))
        return 256 * mib;
    return textseite ? 4 * mib : 32 * mib;
}

bool bericht_zu_gross(const QString& datei, bool textseite)
{
    const qint64 groesse = QFileInfo(datei).size();
    const qint64 grenze = groesste_berichtsdatei(datei, textseite);
    if (groesse <= grenze) {
        const int zellen = textseite && !ist_textbericht(datei) ? tabellenzellen(datei) : 0;
        if (zellen <= meiste_tabellenzellen)
            return false;
        melde_bericht(QCoreApplication::translate("CGBrowser", "Der Bericht '%1' ist mit %2 Tabellenzellen zu groß "
                                                               "zum Anzeigen (höchstens %3).")
                          .arg(maskiere_steuerzeichen(datei))
                          .arg(zellen)
                          .arg(meiste_tabellenzellen));
        return true;
    }
    constexpr qint64 mib = 1024 * 1024;
    melde_bericht(QCoreApplication::translate("CGBrowser", "Der Bericht '%1' ist mit %2 MB zu groß zum Anzeigen "
                                                           "(höchstens %3 MB).")
                      .arg(maskiere_steuerzeichen(datei))
                      .arg((groesse + mib - 1) / mib)
                      .arg(grenze / mib));
    return true;
}

bool ist_textbericht(const QString& datei)
{
    return QFileInfo(datei).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
}

void oeffne_dokument(const QString& text, const QString& datei, const char* kontext)
{
    QString pfad = text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? datei : text;
    if (pfad == text && (pfad.startsWith(QLatin1Char('\\')) || pfad.startsWith(QLatin1String("//"))))
        pfad.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (QFileInfo(datei).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        zeige_pdf_mit_meldung(CQString(pfad), kontext);
    else
        CTextEdit::oeffne_url(CQString(pfad), false);
}
