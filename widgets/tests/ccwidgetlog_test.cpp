// The widget log window in the workspace: sub-window, size, icon, save button, the cascade, the end of a run, and its ways out.
#include "camisc.h"
#include "ccwidgetlog.h"
#include "cqmdisubwindow.h"
#include "cqworkspace.h"
#include "cspeichernbutton.h"
#include "logfenstertest.h"

#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class TestWidgetLog : public CCWidgetLog
{
public:
    TestWidgetLog() : CCWidgetLog(nullptr, CQString("test")) {}
    // As every concrete window: the worker stops before this object starts to come apart.
    ~TestWidgetLog() override { beende_worker(); }
    void thread_beendet() override {}
};

// A shown 1000 x 800 main window around the published workspace.
class CCWidgetLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        haupt = std::make_unique<QMainWindow>();
        haupt->resize(1000, 800);
        workspace = new CQWorkspace(haupt.get());
        haupt->setCentralWidget(workspace);
        setze_workspace(workspace);
        haupt->show();
    }
    void TearDown() override
    {
        haupt.reset();
        setze_workspace(nullptr);
        loesche_spaetere();
    }

    QPushButton* ok(const QWidget* fenster) const
    {
        return fenster->findChild<QPushButton*>(QStringLiteral("fbuttonok"));
    }

    std::unique_ptr<QMainWindow> haupt;
    QPointer<CQWorkspace> workspace;
};

} // namespace

TEST_F(CCWidgetLogTest, ImFensterUndOhneAufDerKaskadeMitSpeichernKnopf)
{
    auto* erster = new TestWidgetLog;
    erster->zeigeImArbeitsbereich(true, QSize(500, 300));
    ASSERT_EQ(workspace->subWindowList().size(), 1);
    QMdiSubWindow* fenster = workspace->subWindowList().first();
    EXPECT_EQ(fenster, erster->gib_unterfenster());
    EXPECT_EQ(fenster->widget(), erster);
    EXPECT_EQ(fenster->size(), QSize(500, 300));
    EXPECT_EQ(fenster->pos(), QPoint(0, 0));
    EXPECT_FALSE(fenster->windowIcon().isNull());
    EXPECT_EQ(erster->findChildren<CSpeichernButton*>().size(), 1);
    EXPECT_TRUE(erster->isVisible());
    EXPECT_EQ(erster->windowTitle(), QStringLiteral("Widget Thread Log"));
    EXPECT_EQ(erster->objectName(), QStringLiteral("widgetlog"));

    auto* zweiter = new TestWidgetLog;
    zweiter->zeigeImArbeitsbereich(true, QSize(500, 300));
    ASSERT_EQ(workspace->subWindowList().size(), 2);
    EXPECT_EQ(zweiter->gib_unterfenster()->pos(), QPoint(20, 20));

    auto* ohne = new TestWidgetLog;
    QPointer<TestWidgetLog> ohne_wache = ohne;
    ohne->zeigeImArbeitsbereich(false, QSize());
    EXPECT_EQ(workspace->subWindowList().size(), 2);
    EXPECT_EQ(ohne->gib_unterfenster(), nullptr);
    EXPECT_EQ(ohne->findChildren<CSpeichernButton*>().size(), 1);
    EXPECT_TRUE(ohne->isVisible());

    // The end of a run announced from outside enables "Ok".
    EXPECT_FALSE(ok(ohne)->isEnabled());
    ohne->setze_fertig();
    QCoreApplication::processEvents();
    EXPECT_TRUE(ok(ohne)->isEnabled());
    ok(ohne)->click();
    loesche_spaetere();
    EXPECT_TRUE(ohne_wache.isNull());
}

TEST_F(CCWidgetLogTest, OkUndRahmenSchliessenWidgetUndUnterfenster)
{
    PiepZaehler piep;
    auto* log = new TestWidgetLog;
    QPointer<TestWidgetLog> log_wache = log;
    log->zeigeImArbeitsbereich(true, QSize(500, 300));
    QPointer<CQMdiSubWindow> fenster = log->gib_unterfenster();
    std::atomic<bool> frei{false};
    log->starte_thread(new Arbeiter(log, frei));
    QTextEdit* text = log->findChild<QTextEdit*>(QStringLiteral("ftextbroser"));
    ASSERT_TRUE(warte_bis([text] { return !text->toPlainText().isEmpty(); }));

    // While the worker runs neither the sub-window's close nor the widget's own closes anything.
    EXPECT_FALSE(fenster->close());
    EXPECT_FALSE(log->close());
    loesche_spaetere();
    EXPECT_EQ(piep.anzahl, 2);
    ASSERT_FALSE(log_wache.isNull());
    ASSERT_FALSE(fenster.isNull());
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(workspace->subWindowList().size(), 1);

    frei = true;
    ASSERT_TRUE(warte_bis([this, log] { return ok(log)->isEnabled(); }));
    ok(log)->click();
    loesche_spaetere();
    EXPECT_TRUE(log_wache.isNull());
    EXPECT_TRUE(fenster.isNull());
    EXPECT_TRUE(workspace->subWindowList().isEmpty());

    // The sub-window's own close takes the widget with it.
    auto* zweiter = new TestWidgetLog;
    QPointer<TestWidgetLog> zweiter_wache = zweiter;
    zweiter->zeigeImArbeitsbereich(true, QSize(500, 300));
    QPointer<CQMdiSubWindow> zweites_fenster = zweiter->gib_unterfenster();
    EXPECT_TRUE(zweites_fenster->close());
    loesche_spaetere();
    EXPECT_TRUE(zweiter_wache.isNull());
    EXPECT_TRUE(zweites_fenster.isNull());
    EXPECT_TRUE(workspace->subWindowList().isEmpty());

    // Deleted by its owner, the widget takes its sub-window along.
    auto* dritter = new TestWidgetLog;
    dritter->zeigeImArbeitsbereich(true, QSize(500, 300));
    QPointer<CQMdiSubWindow> drittes_fenster = dritter->gib_unterfenster();
    delete dritter;
    loesche_spaetere();
    EXPECT_TRUE(drittes_fenster.isNull());
    EXPECT_TRUE(workspace->subWindowList().isEmpty());
    EXPECT_EQ(piep.anzahl, 2);
}

// A job window whose view is at its end keeps its last line in sight while 20,000 lines arrive
// and the window is made smaller, hidden and shown again; once its user has scrolled up, by the
// scroll bar or by the text area's own scrolling, the view stays where the user put it until the
// user goes back to the end.
TEST_F(CCWidgetLogTest, AnsichtAmEndeFolgtDenZeilenTrotzGroesseUndSichtbarkeit)
{
    auto* fenster = new TestWidgetLog;
    fenster->zeigeImArbeitsbereich(true, QSize(800, 600));
    QTextEdit* text = fenster->findChild<QTextEdit*>(QStringLiteral("ftextbroser"));
    ASSERT_NE(text, nullptr);
    QScrollBar* leiste = text->verticalScrollBar();
    QWidget* rahmen = fenster->parentWidget();
    // Lines come in as a worker posts them; the window changes between the passes that show them.
    const auto zeilen = [fenster](int von, int bis, const std::function<void(int)>& dazwischen) {
        for (int i = von; i <= bis; ++i) {
            fenster->neue_textzeile(CQString(QStringLiteral("installiere ebene01/teil02/datei%1.txt").arg(i)), 0);
            if (i % 250 == 0) {
                dazwischen(i);
                QCoreApplication::processEvents();
            }
        }
    };
    // Whether the last line is in sight once lines up to `bis` are in.
    const auto folgt = [&](int von, int bis, const std::function<void(int)>& dazwischen) {
        zeilen(von, bis, dazwischen);
        if (warte_bis([text, bis] { return text->document()->blockCount() == bis && letzte_zeile_zu_sehen(text); }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << leiste->value() << " of " << leiste->maximum();
    };
    // Where the view stands once lines up to `bis` are in and the event loop has settled.
    const auto stand_nach = [&](int von, int bis, const std::function<void(int)>& dazwischen) {
        zeilen(von, bis, dazwischen);
        EXPECT_TRUE(warte_bis([text, bis] { return text->document()->blockCount() == bis; }));
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return leiste->value();
    };
    EXPECT_TRUE(folgt(1, 20000, [rahmen](int i) {
        if (i == 3000)
            rahmen->resize(500, 300);
        else if (i == 9000)
            rahmen->hide();
        else if (i == 11000)
            rahmen->show();
        else if (i == 15000)
            rahmen->resize(400, 200);
    }));

    // Scrolled up by the user: it stays, through more lines and a change of size.
    leiste->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(stand_nach(20001, 24000, [rahmen](int i) {
        if (i == 22000)
            rahmen->resize(450, 250);
    }), 0);

    // Back at the end, the view follows again.
    leiste->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(folgt(24001, 26000, [rahmen](int i) {
        if (i == 25000)
            rahmen->resize(600, 350);
    }));

    // The text area scrolls on its own too, setting the scroll bar's value without any action of
    // it: here a search selects an early line and brings it into sight, as moving the cursor by
    // keys or dragging a selection does. The view and the selection stay through more lines and a
    // change of size.
    ASSERT_TRUE(text->find(QStringLiteral("datei5000.txt"), QTextDocument::FindBackward));
    const int gesucht = leiste->value();
    ASSERT_LT(gesucht, leiste->maximum() / 2);
    EXPECT_EQ(stand_nach(26001, 30000, [rahmen](int i) {
        if (i == 28000)
            rahmen->resize(500, 300);
    }), gesucht);
    EXPECT_EQ(text->textCursor().selectedText(), QStringLiteral("datei5000.txt"));

    // Just above the end, then made taller: the smaller range pulls the view down to its end,
    // which is no move of its user's, so it stays there as more lines arrive.
    leiste->setValue(leiste->maximum() - 60);
    rahmen->resize(500, 450);
    ASSERT_TRUE(warte_bis([leiste] { return leiste->value() == leiste->maximum(); }));
    const int gezogen = leiste->value();
    EXPECT_EQ(stand_nach(30001, 31000, [](int) {}), gezogen);

    // The cursor moved to the end by the text area brings the view back to its end (short of the
    // document's margin): it follows again.
    text->moveCursor(QTextCursor::End);
    EXPECT_TRUE(folgt(31001, 33000, [rahmen](int i) {
        if (i == 32000)
            rahmen->resize(450, 280);
    }));
    rahmen->close();
}

TEST_F(CCWidgetLogTest, WorkspaceLoeschenMitFensternDarin)
{
    auto* ruhig = new TestWidgetLog;
    QPointer<TestWidgetLog> ruhig_wache = ruhig;
    ruhig->zeigeImArbeitsbereich(true, QSize(500, 300));
    // A window whose worker still runs is stopped and waited for, not deleted under it.
    auto* laufend = new TestWidgetLog;
    QPointer<TestWidgetLog> laufend_wache = laufend;
    laufend->zeigeImArbeitsbereich(true, QSize(400, 200));
    std::atomic<bool> frei{false};
    laufend->starte_thread(new Arbeiter(laufend, frei));

    haupt.reset();
    EXPECT_TRUE(ruhig_wache.isNull());
    EXPECT_TRUE(laufend_wache.isNull());
    EXPECT_TRUE(workspace.isNull());
    loesche_spaetere();
}

// Where the system starts no thread for the worker (here: no address space for its stack), the
// job ends at once as failed, where the window waited for it for ever.
TEST_F(CCWidgetLogTest, OhneThreadEndetDerVorgangAlsFehler)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit leaves";
#endif
    auto* log = new TestWidgetLog;
    std::atomic<bool> frei{true};
    long seiten = 0;
    std::ifstream("/proc/self/statm") >> seiten;
    const rlim_t grenze = rlim_t(seiten * ::sysconf(_SC_PAGESIZE)) + (4 << 20);
    const struct rlimit neu = {grenze, grenze};
    EXPECT_EXIT(::setrlimit(RLIMIT_AS, &neu); log->starte_thread(new Arbeiter(log, frei));
                std::_Exit(warte_bis([&] { return ok(log)->isEnabled(); }) && !log->ist_ok() ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
}
