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

namespace {

// The messages are translated in the caller's context; their texts in both callers' contexts, for lupdate.
const char* const meldungstexte[] = {
    QT_TRANSLATE_NOOP("CGBrowser", "Kein PDF Viewer spezifiziert !"),
    QT_TRANSLATE_NOOP("CGBrowser", "Oder der PDF Viewer ist nicht mit der Endung 'pdf' verknüpft."),
    QT_TRANSLATE_NOOP("CGBrowser", "Bitte verwenden Sie den Eigenschaften-Dialog."),
    QT_TRANSLATE_NOOP("CGBrowser", "Ok"),
    QT_TRANSLATE_NOOP("CGBrowser", "Der PDF Viewer"),
    QT_TRANSLATE_NOOP("CGBrowser", "konnte nicht gestartet werden !"),
    QT_TRANSLATE_NOOP("CGBrowser", "Bitte prüfen Sie, ob das Programm am angegebenen Ort existiert."),
    QT_TRANSLATE_NOOP("CGBrowserEx", "Kein PDF Viewer spezifiziert !"),
    QT_TRANSLATE_NOOP("CGBrowserEx", "Oder der PDF Viewer ist nicht mit der Endung 'pdf' verknüpft."),
    QT_TRANSLATE_NOOP("CGBrowserEx", "Bitte verwenden Sie den Eigenschaften-Dialog."),
    QT_TRANSLATE_NOOP("CGBrowserEx", "Ok"),
    QT_TRANSLATE_NOOP("CGBrowserEx", "Der PDF Viewer"),
    QT_TRANSLATE_NOOP("CGBrowserEx", "konnte nicht gestartet werden !"),
    QT_TRANSLATE_NOOP("CGBrowserEx", "Bitte prüfen Sie, ob das Programm am angegebenen Ort existiert.")};

} // namespace

bool zeige_pdf_mit_meldung(const CQString& datei, const char* kontext)
{
    if (zeige_datei_extern(datei))
        return true;
    Q_UNUSED(meldungstexte)
    const auto im_kontext = [kontext](const char* text) { return QCoreApplication::translate(kontext, text); };
    const QString viewer = gib_katalog_privat().pdf_reader.gib_wert_qstr();
    if (viewer.isEmpty()) {
        const QString text = im_kontext("Kein PDF Viewer spezifiziert !") + QLatin1Char('\n')
                             + im_kontext("Oder der PDF Viewer ist nicht mit der Endung 'pdf' verknüpft.")
                             + QLatin1Char('\n') + im_kontext("Bitte verwenden Sie den Eigenschaften-Dialog.")
                             + QLatin1Char('\n');
        frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Information, gib_meldungstitel(), text, {im_kontext("Ok")},
                           0, 0);
    } else {
        const QString text = im_kontext("Der PDF Viewer") + QStringLiteral("\n\n") + viewer + QStringLiteral("\n\n")
                             + im_kontext("konnte nicht gestartet werden !") + QLatin1Char('\n')
                             + im_kontext("Bitte prüfen Sie, ob das Programm am angegebenen Ort existiert.");
        frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), text, {im_kontext("Ok")}, 0,
                           0);
    }
    return false;
}
