// The protocol dock: log lines from any thread in their colours, lines sent to it as a log target, its commands, and its end while threads log.
#include "camisc.h"
#include "ccat.h"
#include "ccdiaglog.h"
#include "ccthread.h"
#include "cdocklog.h"
#include "clogbase.h"
#include "clogsubwidget.h"
#include "dialogseam.h"
#include "logfenstertest.h"
#include "plattform.h"
#include "systemwerte.h"
#include "warten.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/FileAppender.hh>
#include <log4cpp/PatternLayout.hh>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

log4cpp::Layout* muster(const char* text)
{
    auto* layout = new log4cpp::PatternLayout;
    layout->setConversionPattern(text);
    return layout;
}

// A main widget and a dock fed by an interface appender on the root category, as the main window
// sets them up.
class DockLog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        log4cpp::Category::getRoot().setPriority(log4cpp::Priority::DEBUG);
        setze_hauptfenster(&haupt);
        dock = new CDockLog;
        auto* appender = new log4cpp::CLogInterfaceAppender("InterfaceAppender", dock);
        appender->setLayout(muster("%m"));
        log4cpp::Category::getRoot().addAppender(appender);
    }
    void TearDown() override
    {
        delete dock;
        setze_hauptfenster(nullptr);
    }

    // The page with every line it was given: a hidden dock appends only once it is shown or read.
    CLogSubWidget* seite() const
    {
        dock->zeige_ausstehende();
        return dock->findChild<CLogSubWidget*>(QStringLiteral("textview"));
    }

    // Delivers posted events until `fertig` holds (at most 10 s).
    static bool warte_bis(const std::function<bool()>& fertig)
    {
        QElapsedTimer uhr;
        uhr.start();
        while (!fertig() && uhr.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return fertig();
    }

    // The lines the page shows (those that reached the dock, appended even while it is hidden).
    int zeilen() const
    {
        const QTextDocument* text = seite()->document();
        return text->isEmpty() ? 0 : text->blockCount();
    }

    // The text colour of every line of the page.
    QStringList farben() const
    {
        QStringList liste;
        for (QTextBlock b = seite()->document()->begin(); b.isValid(); b = b.next())
            liste << (b.begin().atEnd() ? QString() : b.begin().fragment().charFormat().foreground().color().name());
        return liste;
    }

    QWidget haupt;
    CDockLog* dock = nullptr;
};

TEST_F(DockLog, ZeilenAusEinemThreadErscheinenInIhrerFarbeUndNurMitHauptfenster)
{
    ASSERT_NE(seite(), nullptr);
    EXPECT_EQ(gib_docklog(), dock);
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Protokollfenster"));
    EXPECT_EQ(dock->features(), QDockWidget::DockWidgetFeatures(7));

    std::thread([] {
        log4cpp::Category& wurzel = log4cpp::Category::getRoot();
        wurzel.error("E1");
        wurzel.warn("W1");
        wurzel.info("I1");
    }).join();
    ASSERT_TRUE(warte_bis([&] { return zeilen() == 3; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(seite()->toPlainText(), QStringLiteral("E1\nW1\nI1"));
    EXPECT_EQ(farben(), (QStringList{"#b20000", "#b36b3f", "#000000"}));

    CQCat::gib_instanz()->info(std::string("L\xc3\xb6sche Dateien"));
    ASSERT_TRUE(warte_bis([&] { return zeilen() == 4; }));
    EXPECT_EQ(seite()->document()->lastBlock().text(), QStringLiteral("Lösche Dateien"));

    log4cpp::Category::getRoot().info("");
    setze_hauptfenster(nullptr);
    log4cpp::Category::getRoot().error("ohne Hauptfenster");
    QCoreApplication::processEvents();
    EXPECT_EQ(zeilen(), 4);
    EXPECT_EQ(seite()->document()->blockCount(), 4);
}

namespace {

// The lines of `text` that start with `vorsilbe`, as the numbers that follow it.
std::vector<int> nummern(const QString& text, const QString& vorsilbe)
{
    std::vector<int> liste;
    for (const QString& zeile : text.split(QLatin1Char('\n')))
        if (zeile.startsWith(vorsilbe))
            liste.push_back(zeile.mid(vorsilbe.size()).toInt());
    return liste;
}

std::vector<int> eins_bis(int anzahl)
{
    std::vector<int> liste(anzahl);
    for (int i = 0; i < anzahl; ++i)
        liste[i] = i + 1;
    return liste;
}

} // namespace

// Many lines from workers, shown on the event loop: every line once and in its worker's order,
// in a dialog log window fed by one worker and in the dock fed by four threads at once. The
// worker's last line is a million characters without a blank: wrapping it would keep the window
// from answering for a minute or more; it arrives whole, as one line. Select all and copy of the
// 200,000 lines answer at once, and the copy holds every line and the long one.
TEST_F(DockLog, VieleZeilenAusArbeiternErscheinenJedeEinmalInIhrerReihenfolge)
{
    constexpr int zeilen = 200000;
    static const QString lang = QString(1000000, QLatin1Char('x'));
    struct Fenster : CCDiagLog
    {
        Fenster() : CCDiagLog(nullptr, CQString("viele")) { setAttribute(Qt::WA_DeleteOnClose, false); }
        ~Fenster() override { beende_worker(); }
        void thread_beendet() override { fertig = true; }
        bool fertig = false;
    } fenster;
    struct Schreiber : CCThread
    {
        explicit Schreiber(CCBaseLog* log) : log(log) {}
        void run() override
        {
            for (int i = 1; i <= zeilen; ++i)
                log->neue_textzeile(CQString(QStringLiteral("Zeile %1").arg(i)), 0);
            log->neue_textzeile(CQString(lang), 0);
        }
        CCBaseLog* log;
    };
    fenster.show();
    fenster.starte_thread(new Schreiber(&fenster));
    const QTextDocument* text = fenster.gib_textbereich()->document();
    ASSERT_TRUE(::warte_bis([&] { return fenster.fertig && text->blockCount() > zeilen; }, 120000));
    EXPECT_EQ(text->blockCount(), zeilen + 1);
    EXPECT_EQ(text->lastBlock().text(), lang);
    // Shown as the one line it is, not broken into thousands.
    EXPECT_EQ(text->lastBlock().layout()->lineCount(), 1);
    EXPECT_EQ(nummern(text->toPlainText(), QStringLiteral("Zeile ")), eins_bis(zeilen));
    // Select all and copy answer at once: the clipboard gets the copy later, every line of it.
    QClipboard* const ablage = QGuiApplication::clipboard();
    ablage->clear();
    // Measured in the window's own time: a machine busy with other work does not stretch it.
    const qint64 beginn = rechenzeit_ms();
    for (const Qt::Key taste : {Qt::Key_A, Qt::Key_C}) {
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::ControlModifier);
        QCoreApplication::sendEvent(fenster.gib_textbereich(), &druck);
    }
    EXPECT_LT(rechenzeit_ms() - beginn, 1000);
    ASSERT_TRUE(::warte_bis([ablage] { return ablage->text().endsWith(lang); }, 60000));
    EXPECT_EQ(nummern(ablage->text(), QStringLiteral("Zeile ")), eins_bis(zeilen));

    constexpr int je_thread = 5000;
    dock->show();
    CLogSubWidget* seite_jetzt = seite();
    const QTextDocument* seite_text = seite_jetzt->document();
    // What the log window's run logged itself stays before the threads' lines.
    const int vorher = seite_text->isEmpty() ? 0 : seite_text->blockCount();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 1; i <= je_thread; ++i)
                log4cpp::Category::getRoot().info("T%d %d", t, i);
        });
    for (std::thread& t : threads)
        t.join();
    ASSERT_TRUE(warte_bis([&] { return seite_text->blockCount() >= vorher + 4 * je_thread; }));
    EXPECT_EQ(seite_text->blockCount(), vorher + 4 * je_thread);
    const QString alles = seite_text->toPlainText();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(nummern(alles, QStringLiteral("T%1 ").arg(t)), eins_bis(je_thread)) << "thread " << t;
}

// The hidden dock with the lines of a long run waiting for it, saved: they are brought in beside
// the save, each once and in order in the file and on the page.
TEST_F(DockLog, VersteckterDockSpeichertJedeWartendeZeileEinmal)
{
    constexpr int anzahl = 8000;
    for (int i = 1; i <= anzahl; ++i)
        CQCat::gib_instanz()->info(CQString(QStringLiteral("installiere %1").arg(i)));
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("dock.txt"));
    setze_speichern_funktion([&](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) { return datei; });
    dock->speichere();
    setze_speichern_funktion({});
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(nummern(QString::fromUtf8(f.readAll()), QStringLiteral("installiere ")), eins_bis(anzahl));
    EXPECT_EQ(nummern(dock->gib_ausgabeseite()->toPlainText(), QStringLiteral("installiere ")), eins_bis(anzahl));
}

// A dock at its end shows its last line after lines came while it was hidden and then shown
// smaller, as the main window shows it after a failed job.
TEST_F(DockLog, AmEndeZeigtEsNachDemEinblendenDieLetzteZeile)
{
    dock->resize(500, 400);
    dock->show();
    auto* text = dock->findChild<CLogSubWidget*>(QStringLiteral("textview"));
    ASSERT_NE(text, nullptr);
    for (int i = 1; i <= 6000; ++i) {
        CQCat::gib_instanz()->info(CQString(QStringLiteral("installiere ebene01/teil02/datei%1.txt").arg(i)));
        if (i == 1000)
            dock->hide();
        else if (i == 4000) {
            dock->resize(300, 150);
            dock->show();
        }
        if (i % 250 == 0)
            QCoreApplication::processEvents();
    }
    EXPECT_TRUE(warte_bis([text] { return text->document()->blockCount() == 6000 && letzte_zeile_zu_sehen(text); })) << text->verticalScrollBar()->value() << " of " << text->verticalScrollBar()->maximum();
}

TEST_F(DockLog, ZeilenAnDasZielGehenUeberDenLoggerInDieDateiUndZurueck)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString pfad = ordner.filePath("dock.log");
    auto* datei = new log4cpp::FileAppender("Datei", QFile::encodeName(pfad).toStdString());
    datei->setLayout(muster("%p %m%n"));
    log4cpp::Category::getRoot().addAppender(datei);

    EXPECT_FALSE(dock->kann_html());
    dock->neue_textzeile(CQString("abc"), 2);
    ASSERT_TRUE(warte_bis([&] { return zeilen() == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(seite()->toPlainText(), QStringLiteral("abc"));
    EXPECT_EQ(farben(), QStringList{"#b20000"});

    // Showing the line logged nothing more: the file holds the one line.
    log4cpp::Category::getRoot().removeAppender(datei);
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("ERROR abc\n"));
}

TEST_F(DockLog, LeeresSpeichernPiepOhneDialogUndDieAktionSchaltetDasFenster)
{
    int piepser = 0;
    int dialoge = 0;
    setze_piep_funktion([&](unsigned, unsigned) { return ++piepser, 0; });
    setze_speichern_funktion([&](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) {
        ++dialoge;
        return QString();
    });
    dock->speichere();
    EXPECT_EQ(piepser, 1);
    EXPECT_EQ(dialoge, 0);
    setze_piep_funktion({});
    setze_speichern_funktion({});

    QAction* aktion = dock->gib_umschalt_aktion();
    ASSERT_NE(aktion, nullptr);
    EXPECT_EQ(aktion->text(), QStringLiteral("Protokollfenster"));
    EXPECT_FALSE(dock->isVisible());
    aktion->toggle();
    EXPECT_TRUE(dock->isVisible());
    aktion->toggle();
    EXPECT_FALSE(dock->isVisible());
}

// Threads log through the logger and send lines to the dock as a log target while it is destroyed.
TEST_F(DockLog, EndeWaehrendThreadsProtokollieren)
{
    std::atomic<bool> stop{false};
    std::atomic<int> runden{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&] {
            while (!stop) {
                log4cpp::Category::getRoot().warn("Zeile");
                CQCat::gib_instanz()->error(CQString("Fehler"));
                ++runden;
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    threads.emplace_back([&] {
        while (!stop) {
            gib_qlog_ziele().fuer_alle([](CLogBase* ziel) { ziel->neue_textzeile(std::string("Ziel"), 0); });
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });

    ASSERT_TRUE(warte_bis([&] { return runden > 50 && zeilen() > 50; }));
    delete dock;
    dock = nullptr;
    EXPECT_EQ(gib_docklog(), nullptr);
    for (log4cpp::Appender* appender : log4cpp::Category::getRoot().getAllAppenders())
        EXPECT_EQ(dynamic_cast<log4cpp::CLogInterfaceAppender*>(appender), nullptr);
    const int bis_jetzt = runden;
    EXPECT_TRUE(warte_bis([&] { return runden > bis_jetzt + 50; }));
    stop = true;
    for (std::thread& t : threads)
        t.join();
    QCoreApplication::processEvents();
}

} // namespace
