// Takes pictures of the updater's real windows (install, list and uninstall job, About dialog; the English window and
// the report viewer of the protocol button), of the small dialogs alone at the screen's resolution, and checks pictures.
#include "sanitizervorgaben.h"
#include "cgbrowserdiag.h"
#include "csprache.h"
#include "cworkthread.h"
#include "dialogseam.h"
#include "startzustand.h"
#include "updatermainwindow.h"
#include "anwendung.h"
#include "canwender_passwort.h"
#include "version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>

namespace {

// Lets the jobs run until every job window's thread has ended and its last events are shown.
bool warte_auf_jobs()
{
    QElapsedTimer uhr;
    uhr.start();
    while (CWorkThread::laufende_jobs() > 0) {
        if (uhr.elapsed() > 60000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    // The last lines and the progress reach the windows with the next poll ticks.
    const qint64 ende = uhr.elapsed() + 1200;
    while (uhr.elapsed() < ende)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return true;
}

bool knipse(QWidget* fenster, const QString& datei)
{
    if (!fenster || !fenster->grab().save(datei, "PNG")) {
        std::fprintf(stderr, "fensterbilder: '%s' nicht geschrieben\n", qPrintable(datei));
        return false;
    }
    std::printf("%s\n", qPrintable(datei));
    return true;
}

// A picture counts when it loads and is not one colour: a window that was never painted is.
int pruefe(const QStringList& dateien)
{
    int fehler = 0;
    for (const QString& datei : dateien) {
        const QImage bild(datei);
        QSet<QRgb> farben;
        for (int y = 0; y < bild.height() && farben.size() < 16; y += 7)
            for (int x = 0; x < bild.width() && farben.size() < 16; x += 7)
                farben.insert(bild.pixel(x, y));
        if (bild.isNull() || farben.size() < 16) {
            std::fprintf(stderr, "fensterbilder: '%s' ist kein Bild eines Fensters\n", qPrintable(datei));
            ++fehler;
        }
    }
    return fehler == 0 ? 0 : 1;
}

// The About dialog and the password dialog in its three modes, each shown alone and taken as
// "<name>.png" in `ordner`. Each label and button must show its text whole: one that is narrower
// or lower than its text needs is named on standard error, and the answer is 1.
int knipse_dialoge(const QString& ordner)
{
    QDir().mkpath(ordner);
    const std::vector<std::pair<QString, QWidget*>> dialoge{
        {QStringLiteral("info"), new version},
        {QStringLiteral("kennwort_aendern"), new Canwender_passwort(nullptr, CQString("p"), 0)},
        {QStringLiteral("kennwort_setzen"), new Canwender_passwort(nullptr, CQString("p"), 1)},
        {QStringLiteral("kennwort_eingeben"), new Canwender_passwort(nullptr, CQString("p"), 7)}};
    int fehler = 0;
    for (const auto& [name, dialog] : dialoge) {
        dialog->show();
        QApplication::processEvents();
        fehler += knipse(dialog, ordner + QLatin1Char('/') + name + QStringLiteral(".png")) ? 0 : 1;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(w);
            const auto* knopf = qobject_cast<QAbstractButton*>(w);
            const QString text = label ? label->text() : knopf ? knopf->text() : QString();
            if (text.isEmpty() || !w->isVisible() || (label && label->wordWrap()))
                continue;
            const QSize noetig = w->minimumSizeHint();
            if (w->width() < noetig.width() || w->height() < noetig.height()) {
                std::fprintf(stderr, "fensterbilder: %s: '%s' abgeschnitten (%dx%d statt %dx%d)\n", qPrintable(name),
                             qPrintable(text), w->width(), w->height(), noetig.width(), noetig.height());
                ++fehler;
            }
        }
        delete dialog;
    }
    return fehler == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    schalte_hochaufloesung_ein();
    QApplication anwendung(argc, argv);
    const QStringList argumente = QApplication::arguments().mid(1);
    if (argumente.value(0) == QLatin1String("--pruefe"))
        return pruefe(argumente.mid(1));
    if (argumente.value(0) == QLatin1String("--dialoge") && argumente.size() == 2)
        return knipse_dialoge(argumente[1]);
    if (argumente.size() != 3) {
        std::fprintf(stderr, "Aufruf: fensterbilder <Bildordner> <Installationsordner> <Archiv>\n"
                             "        fensterbilder --dialoge <Bildordner>\n"
                             "        fensterbilder --pruefe <Bild>...\n");
        return 2;
    }
    const QString bildordner = QDir(argumente[0]).absolutePath();
    const QString ziel = QDir(argumente[1]).absolutePath();
    const QString archiv = QFileInfo(argumente[2]).absoluteFilePath();
    QDir().mkpath(bildordner);

    setze_anwendungsname(QStringLiteral("Aktualisierer"));
    QApplication::setApplicationName(QStringLiteral("Aktualisierer"));
    // An "install" start with "dbx": the job windows stay open for the pictures.
    startmodus = 1;
    dbx_modus = true;
    setze_zielverzeichnis_vorgabe(CQString(ziel));
    setze_oeffnen_funktion([archiv](QWidget*, const QString&, const QString&, const QString&) { return archiv; });

    UpdaterMainWindow* fenster = UpdaterMainWindow::instanz();
    fenster->resize(1100, 760);
    fenster->show();
    fenster->richte_fenster_ein();
    fenster->setze_archivname(CQString(archiv));

    bool ok = true;
    fenster->slot_zeitverzoegerung();
    ok = warte_auf_jobs() && knipse(fenster, bildordner + QStringLiteral("/1_installation.png")) && ok;
    fenster->SlotListZIP();
    ok = warte_auf_jobs() && knipse(fenster, bildordner + QStringLiteral("/2_inhalt.png")) && ok;
    int modus = 2;
    fenster->bereite_job_vor(&modus);
    ok = warte_auf_jobs() && knipse(fenster, bildordner + QStringLiteral("/3_deinstallation.png")) && ok;

    // The About dialog runs modally: it is taken once it shows, then closed.
    QTimer::singleShot(700, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ok = knipse(dialog, bildordner + QStringLiteral("/4_info.png")) && ok;
        if (dialog)
            dialog->close();
    });
    fenster->SlotShowAbout();

    fenster->close();
    UpdaterMainWindow::zerstoere_instanz();

    // The English window with a list job, and the job's protocol in the report viewer, opened as
    // the protocol button opens it.
    static CSprache* const sprache = new CSprache(CQString("Aktualisierer"));
    ok = sprache->setze_sprache(CQString("en")) && ok;
    installiere_protokollanzeige();
    fenster = UpdaterMainWindow::instanz();
    fenster->resize(1100, 760);
    fenster->show();
    fenster->richte_fenster_ein();
    fenster->SlotProtokoll();
    fenster->SlotListZIP();
    ok = warte_auf_jobs() && knipse(fenster, bildordner + QStringLiteral("/5_englisch.png")) && ok;
    CWorkThread* job = fenster->gib_letztes_jobfenster();
    const QString protokoll = bildordner + QStringLiteral("/protokoll.html");
    QFile datei(protokoll);
    if (job && datei.open(QIODevice::WriteOnly)) {
        datei.write(job->gib_textbereich()->document()->toHtml("utf-8").toUtf8());
        datei.close();
        job->setze_protokollquelle(CQString(protokoll));
        job->zeige_protokoll();
    }
    QWidget* anzeige = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CGBrowserDiag*>(w))
            anzeige = w;
    if (anzeige) {
        anzeige->resize(900, 600);
        QElapsedTimer uhr;
        uhr.start();
        while (uhr.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ok = knipse(anzeige, bildordner + QStringLiteral("/6_bericht.png")) && ok;
    delete anzeige;
    QFile::remove(protokoll);
    fenster->close();
    UpdaterMainWindow::zerstoere_instanz();
    return ok ? 0 : 1;
}
