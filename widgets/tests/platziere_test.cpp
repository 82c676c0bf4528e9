// Placing new windows on the workspace's diagonal cascade.
#include "camisc.h"
#include "cqworkspace.h"
#include "platziere.h"

#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

// A window of the given size inside a sub-window of the workspace.
QWidget* neues_fenster(CQWorkspace& ws, int breite, int hoehe)
{
    auto* inhalt = new QWidget;
    inhalt->setFixedSize(breite, hoehe);
    ws.addSubWindow(inhalt)->show();
    return inhalt;
}

QPoint rahmen_pos(QWidget* fenster)
{
    return fenster->parentWidget()->pos();
}

// Places a new window of the given size after setting the next offset; where its frame went.
QPoint platziere_ab(CQWorkspace& ws, const QPoint& versatz, int breite, int hoehe)
{
    setze_platzier_versatz(versatz);
    QWidget* fenster = neues_fenster(ws, breite, hoehe);
    platziere_fenster(fenster);
    return rahmen_pos(fenster);
}

// The workspace is published before anything is placed, as the main window does.
struct Arbeitsflaeche
{
    Arbeitsflaeche(int breite, int hoehe)
    {
        ws.resize(breite, hoehe);
        ws.show();
        setze_workspace(&ws);
    }
    ~Arbeitsflaeche() { setze_workspace(nullptr); }
    CQWorkspace ws;
};

} // namespace

TEST(Platziere, DiagonaleKaskadeVonNullAus)
{
    Arbeitsflaeche a(1000, 800);
    QWidget* f[3] = {neues_fenster(a.ws, 300, 200), neues_fenster(a.ws, 300, 200), neues_fenster(a.ws, 300, 200)};
    for (QWidget* fenster : f)
        platziere_fenster(fenster);
    EXPECT_EQ(rahmen_pos(f[0]), QPoint(0, 0));
    EXPECT_EQ(rahmen_pos(f[1]), QPoint(20, 20));
    EXPECT_EQ(rahmen_pos(f[2]), QPoint(40, 40));
    EXPECT_EQ(gib_platzier_versatz(), QPoint(60, 60));

    // The job window starts its windows at the left edge again, keeping the height.
    EXPECT_EQ(platziere_ab(a.ws, QPoint(0, gib_platzier_versatz().y()), 300, 200), QPoint(0, 60));
}

TEST(Platziere, NeubeginnWennEinFensterNichtPasstOderDerVersatzZuGrossIst)
{
    // Width and height of the area are one less than the workspace's: 400 x 400.
    Arbeitsflaeche a(401, 401);
    platziere_fenster(neues_fenster(a.ws, 300, 200));

    // Too wide at this offset, but the offset is small: the window goes there all the same.
    EXPECT_EQ(platziere_ab(a.ws, QPoint(120, 120), 300, 200), QPoint(120, 120));

    // 150 x 80 counts as 200 x 100: 230 + 200 passes the right edge, so the cascade restarts,
    // though 230 + 150 would fit.
    EXPECT_EQ(platziere_ab(a.ws, QPoint(230, 0), 150, 80), QPoint(0, 0));
    EXPECT_EQ(gib_platzier_versatz(), QPoint(20, 20));

    // The same for the height: 210 + 100 passes the bottom of a 300 high area.
    a.ws.resize(401, 301);
    EXPECT_EQ(platziere_ab(a.ws, QPoint(0, 210), 150, 80), QPoint(0, 0));

    // Beyond three quarters of the area (749 of 999) the cascade restarts even where the window fits.
    a.ws.resize(1000, 800);
    EXPECT_EQ(platziere_ab(a.ws, QPoint(760, 0), 200, 100), QPoint(0, 0));
    EXPECT_EQ(platziere_ab(a.ws, QPoint(740, 0), 200, 100), QPoint(740, 0));
}

TEST(Platziere, InDerTabAnsichtGeschiehtNichts)
{
    Arbeitsflaeche a(1000, 800);
    platziere_fenster(neues_fenster(a.ws, 300, 200));
    QWidget* f = neues_fenster(a.ws, 300, 200);
    f->parentWidget()->move(300, 300);
    a.ws.setzeTabAnsicht(true);
    const QPoint vorher = rahmen_pos(f);
    platziere_fenster(f);
    EXPECT_EQ(rahmen_pos(f), vorher);
    EXPECT_EQ(gib_platzier_versatz(), QPoint(20, 20));
}

TEST(Platziere, BuendelVorDerArbeitsflaecheUndFensterOhneUnterfenster)
{
    // The bundle is made while no workspace is published: placing does nothing then, and finds
    // the workspace once it is published.
    ASSERT_NE(CAmisc::instanz(true), nullptr);
    QWidget vorher;
    vorher.move(70, 70);
    platziere_fenster(&vorher);
    EXPECT_EQ(vorher.pos(), QPoint(70, 70));

    Arbeitsflaeche a(1000, 800);
    platziere_fenster(neues_fenster(a.ws, 300, 200));
    EXPECT_EQ(gib_platzier_versatz(), QPoint(20, 20));

    // A window that is no sub-window's content moves itself, not its parent.
    QWidget eltern;
    eltern.move(5, 5);
    auto* kind = new QWidget(&eltern);
    kind->resize(300, 200);
    platziere_fenster(kind);
    EXPECT_EQ(kind->pos(), QPoint(20, 20));
    EXPECT_EQ(eltern.pos(), QPoint(5, 5));
    QWidget oben;
    oben.resize(300, 200);
    platziere_fenster(&oben);
    EXPECT_EQ(oben.pos(), QPoint(40, 40));
}
