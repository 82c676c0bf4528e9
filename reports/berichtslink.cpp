#include "berichtslink.h"
#include "ccat.h"
#include "ctextedit.h"
#include "dateien.h"
#include "dialogseam.h"
#include "gui.h"
#include "pdfoeffner.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

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

void melde_bericht(const QString& text)
{
    CQCat::gib_instanz()->error(CQString(text));
    frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), text,
                       {QCoreApplication::translate("CGBrowser", "Ok")}, 0, 0);
}

QString ausgabedatei_fehler(const QString& datei, const QString& grund)
{
    const QString text = QCoreApplication::translate("CGBrowser", "Konnte Ausgabedatei '%1' nicht oeffnen.").arg(datei);
    return grund.isEmpty() ? text : text + QLatin1Char(' ') + grund;
}

namespace {

// The size in MB (MiB) with one decimal as the locale writes it, rounded up, so that a file over a
// limit never reads as the limit; a whole number without decimals.
QString megabyte(qint64 bytes)
{
    constexpr qint64 mib = 1024 * 1024;
    const qint64 zehntel_mb = (bytes * 10 + mib - 1) / mib;
    QLocale zahlen;
    zahlen.setNumberOptions(QLocale::OmitGroupSeparator);
    return zehntel_mb % 10 == 0 ? zahlen.toString(zehntel_mb / 10) : zahlen.toString(zehntel_mb / 10.0, 'f', 1);
}

} // namespace

qint64 groesste_berichtsdatei(const QString& datei)
{
    constexpr qint64 mib = 1024 * 1024;
    return ist_textbericht(datei) ? 256 * mib : 32 * mib;
}

QString zu_gross_text(const QString& datei, qint64 groesse)
{
    return QCoreApplication::translate("CGBrowser", "Der Bericht '%1' ist mit %2 MB zu groß zum Anzeigen "
                                                    "(höchstens %3 MB).")
        .arg(maskiere_steuerzeichen(datei), megabyte(groesse), megabyte(groesste_berichtsdatei(datei)));
}

bool bericht_verweigert(const QString& datei, QString* grund)
{
    QString text;
    if (!ist_datei(datei))
        text = QCoreApplication::translate("CGBrowser", "Der Bericht '%1' ist nicht vorhanden !").arg(datei);
    else if (const qint64 groesse = QFileInfo(datei).size(); groesse > groesste_berichtsdatei(datei))
        text = zu_gross_text(datei, groesse);
    if (grund)
        *grund = text;
    if (text.isEmpty())
        return false;
    melde_bericht(text);
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
