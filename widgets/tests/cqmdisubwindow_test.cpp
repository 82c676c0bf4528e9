// The sub-window: refused and accepted closes, putting itself into the workspace, leaving tabbed view.
#include "camisc.h"
#include "cqmdisubwindow.h"
#include "cqworkspace.h"
#include "piepzaehler.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

// Content that refuses to close.
class Stur : public QWidget
{
protected:
    void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

void zaehle_schliessen(CQMdiSubWindow& fenster, int& zaehler)
{
    QObject::connect(&fenster, &CQMdiSubWindow::closeEvent_signal, [&zaehler, &fenster](CQMdiSubWindow* w) {
        EXPECT_EQ(w, &fenster);
        ++zaehler;
    });
}

} // namespace

TEST(CQMdiSubWindow, SchliessenNurWennErlaubtUndNurAngenommenesMelden)
{
    PiepZaehler piep;
    CQMdiSubWindow gesperrt(0, nullptr);
    EXPECT_TRUE(gesperrt.ist_schliessen_erlaubt());
    gesperrt.setze_schliessen_erlaubt(false);
    gesperrt.show();
    int gesperrt_signale = 0;
    zaehle_schliessen(gesperrt, gesperrt_signale);
    EXPECT_FALSE(gesperrt.close());
    EXPECT_EQ(piep.anzahl, 1);
    EXPECT_EQ(gesperrt_signale, 0);
    EXPECT_TRUE(gesperrt.isVisible());

    // A content that refuses keeps the window open; nothing is reported.
    CQMdiSubWindow mit_sturem_inhalt(0, nullptr);
    mit_sturem_inhalt.setWidget(new Stur);
    mit_sturem_inhalt.show();
    int stur_signale = 0;
    zaehle_schliessen(mit_sturem_inhalt, stur_signale);
    EXPECT_FALSE(mit_sturem_inhalt.close());
    EXPECT_EQ(stur_signale, 0);

    CQMdiSubWindow frei(0, nullptr);
    frei.show();
    int frei_signale = 0;
    zaehle_schliessen(frei, frei_signale);
    EXPECT_TRUE(frei.close());
    EXPECT_EQ(frei_signale, 1);
    EXPECT_EQ(piep.anzahl, 1);
}

TEST(CQMdiSubWindow, ModusEinsSetztSichInDieArbeitsflaeche)
{
    CQWorkspace ws;
    ws.resize(800, 600);
    ws.show();
    setze_workspace(&ws);

    auto* inhalt = new QWidget;
    QPointer<CQMdiSubWindow> fenster = new CQMdiSubWindow(1, inhalt);
    EXPECT_EQ(fenster->widget(), inhalt);
    EXPECT_EQ(fenster->mdiArea(), &ws);
    EXPECT_TRUE(ws.subWindowList().contains(fenster.data()));
    EXPECT_TRUE(fenster->testAttribute(Qt::WA_DeleteOnClose));

    // Another mode leaves all that to the caller.
    CQMdiSubWindow selbst(0, new QWidget);
    EXPECT_EQ(selbst.widget(), nullptr);
    EXPECT_EQ(selbst.mdiArea(), nullptr);
    EXPECT_FALSE(selbst.testAttribute(Qt::WA_DeleteOnClose));

    fenster->show();
    EXPECT_TRUE(fenster->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fenster.isNull());
    setze_workspace(nullptr);
}

TEST(CQMdiSubWindow, ErsterSystemmenueEintragVerlaesstDieTabAnsicht)
{
    CQWorkspace ws;
    ws.resize(800, 600);
    ws.show();
    auto* fenster = new CQMdiSubWindow(0, nullptr);
    fenster->setWidget(new QWidget);
    ws.addSubWindow(fenster);
    fenster->show();
    ws.setActiveSubWindow(fenster);
    ASSERT_EQ(ws.activeSubWindow(), fenster);
    const QList<QAction*> eintraege = fenster->systemMenu()->actions();
    ASSERT_GE(eintraege.size(), 2);
    ASSERT_EQ(eintraege.first(), fenster->actions().first());

    // In sub-window view nothing changes.
    eintraege.first()->trigger();
    EXPECT_EQ(ws.viewMode(), QMdiArea::SubWindowView);

    // In tabbed view another entry changes nothing, the first switches back.
    ws.setzeTabAnsicht(true);
    ws.setActiveSubWindow(fenster);
    for (QAction* a : eintraege) {
        if (a->isCheckable())
            a->trigger();
    }
    EXPECT_EQ(ws.viewMode(), QMdiArea::TabbedView);
    eintraege.first()->trigger();
    EXPECT_EQ(ws.viewMode(), QMdiArea::SubWindowView);
    EXPECT_FALSE(ws.ist_tabansicht());
}
