// The objects bundle: made once on request, its window pointers read live while the snapshot had none.
#include "camisc.h"
#include "anwendung.h"
#include "steuerdaten.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

class Empfaenger : public QObject
{
public:
    void customEvent(QEvent* event) override
    {
        typ = event->type();
        if (auto* e = dynamic_cast<CMainWindowEvent*>(event))
            wert = e->gib_wert();
    }
    int typ = 0;
    int wert = 0;
};

} // namespace

TEST(Amisc, EinmalGemachtUndSpaeterVeroeffentlichteZeigerGelten)
{
    EXPECT_EQ(CAmisc::instanz(false), nullptr);
    EXPECT_EQ(CAmisc::instanz(false), nullptr);
    setze_meldungstitel(QStringLiteral("Titel"));
    CAmisc* amisc = CAmisc::instanz(true);
    ASSERT_NE(amisc, nullptr);
    EXPECT_EQ(CAmisc::instanz(true), amisc);
    EXPECT_EQ(CAmisc::instanz(false), amisc);
    EXPECT_EQ(amisc->gib_meldungstitel(), CQString("Titel"));
    EXPECT_EQ(amisc->gib_farbe_warnung(), CQString("#b36b3f"));
    EXPECT_EQ(amisc->gib_farbe_fehler(), CQString("#b20000"));
    EXPECT_EQ(amisc->gib_steuerdaten(), nullptr);

    // Published after the snapshot: still found.
    QStatusBar leiste;
    EXPECT_EQ(amisc->gib_statusbar(), nullptr);
    setze_statusbar(&leiste);
    EXPECT_EQ(amisc->gib_statusbar(), &leiste);
    setze_statusbar(nullptr);
}

TEST(Amisc, HauptfensterEreignisTraegtSeinenWert)
{
    Empfaenger empfaenger;
    QCoreApplication::postEvent(&empfaenger, new CMainWindowEvent(42));
    QCoreApplication::processEvents();
    EXPECT_EQ(empfaenger.typ, 10007);
    EXPECT_EQ(empfaenger.wert, 42);
    // Without a store no control key has a value.
    EXPECT_FALSE(gib_steuerwert(CQString("/Privat/Farbe_Text_markiert"), false).isValid());
}
