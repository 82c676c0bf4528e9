#include "berichtslink.h"
#include "ccat.h"
#include "ctextedit.h"
#include "dateien.h"
#include "dialogseam.h"
#include "gui.h"
#include "pdfoeffner.h"

#include <QCoreApplication>
#include <QFileInfo>

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

bool bericht_fehlt(const QString& datei)
{
    if (ist_datei(datei))
        return false;
    const QString text = QCoreApplication::translate("CGBrowser", "Der Bericht '%1' ist nicht vorhanden !").arg(datei);
    CQCat::gib_instanz()->error(CQString(text));
    frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), text,
                       {QCoreApplication::translate("CGBrowser", "Ok")}, 0, 0);
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
