#include "pdfoeffner.h"
#include "ccat.h"
#include "dialogseam.h"
#include "gui.h"
#include "katalog.h"
#include "plattform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

// The shell's "no program is associated with the file" code, which stands for every failure of
// the shell opener here.
constexpr int keine_zuordnung = 31;

} // namespace

bool zeige_datei_extern(const CQString& datei)
{
    const QString viewer = gib_katalog_privat().pdf_reader.gib_wert_qstr();
    if (viewer.isEmpty()) {
        if (oeffne_mit_shell(datei))
            return true;
        CQCat::gib_instanz()->error(
            CQString(QCoreApplication::translate("CIAmisc", "Fehler (%1) bei").arg(keine_zuordnung) +
                     QStringLiteral(" 'ShellExecute'")));
        return false;
    }
    // A viewer that exists but cannot be run (no program, no execute right) fails here too.
    return QFileInfo::exists(viewer) && QProcess::startDetached(viewer, {datei});
}

bool zeige_pdf_mit_meldung(const CQString& datei, const char* kontext)
{
    if (zeige_datei_extern(datei))
        return true;
    const auto tr = [kontext](const char* text) { return QCoreApplication::translate(kontext, text); };
    const QString viewer = gib_katalog_privat().pdf_reader.gib_wert_qstr();
    if (viewer.isEmpty()) {
        const QString text = tr("Kein PDF Viewer spezifiziert !") + QLatin1Char('\n') +
                             tr("Oder der PDF Viewer ist nicht mit der Endung 'pdf' verknüpft.") +
                             QLatin1Char('\n') + tr("Bitte verwenden Sie den Eigenschaften-Dialog.") +
                             QLatin1Char('\n');
        frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Information, gib_meldungstitel(), text, {tr("Ok")}, 0, 0);
    } else {
        const QString text = tr("Der PDF Viewer") + QStringLiteral("\n\n") + viewer + QStringLiteral("\n\n") +
                             tr("konnte nicht gestartet werden !") + QLatin1Char('\n') +
                             tr("Bitte prüfen Sie, ob das Programm am angegebenen Ort existiert.");
        frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), text, {tr("Ok")}, 0, 0);
    }
    return false;
}
