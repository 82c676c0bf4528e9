// Menus and actions: process-wide ids, separators, activation, tool tips and clearing.
#include "cqaction.h"
#include "cqmenu.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(CQMenu, IdsFolgenProzessweitAufeinanderUndTrennerLiegenAmRichtigenPlatz)
{
    CQAction erste(nullptr);
    EXPECT_EQ(erste.gib_id(), -2);

    CQMenu menue;
    EXPECT_EQ(menue.gib_aktion()->gib_id(), -3);
    EXPECT_EQ(menue.gib_aktion()->menu(), &menue);

    QAction* eintrag = menue.addAction("Eintrag");
    EXPECT_EQ(menue.insertSeparator(-1), -4);
    EXPECT_EQ(menue.insertSeparator(0), -5);
    EXPECT_EQ(menue.insertSeparator(99), -6);
    EXPECT_EQ(menue.insertSeparator(-7), -7);

    const QList<QAction*> eintraege = menue.actions();
    ASSERT_EQ(eintraege.size(), 5);
    auto id = [](QAction* a) { return qobject_cast<CQAction*>(a) ? static_cast<CQAction*>(a)->gib_id() : 0; };
    EXPECT_EQ(id(eintraege[0]), -5);
    EXPECT_EQ(eintraege[1], eintrag);
    EXPECT_EQ(id(eintraege[2]), -4);
    EXPECT_EQ(id(eintraege[3]), -6);
    EXPECT_EQ(id(eintraege[4]), -7);
    for (QAction* a : {eintraege[0], eintraege[2], eintraege[3], eintraege[4]})
        EXPECT_TRUE(a->isSeparator());
}

TEST(CQMenu, AusloesenMeldetDieIdGenauEinmal)
{
    CQAction aktion(nullptr);
    std::vector<int> mit_id;
    QObject::connect(&aktion, qOverload<int>(&CQAction::cactivated), [&](int id) { mit_id.push_back(id); });
    aktion.trigger();
    EXPECT_EQ(mit_id, std::vector<int>{aktion.gib_id()});

    // The menu's slot reports the flag, not an id.
    CQMenu menue;
    std::vector<int> vom_menue;
    QObject::connect(&menue, qOverload<int>(&CQMenu::cactivated), [&](int wert) { vom_menue.push_back(wert); });
    menue.SlotTriggered(true);
    menue.SlotTriggered(false);
    EXPECT_EQ(vom_menue, (std::vector<int>{1, 0}));
}

TEST(CQMenu, TooltipZeigtDenTippDesAktivenEintragsUndGehtWeiter)
{
    CQMenu menue;
    QAction* eintrag = menue.addAction("Eintrag");
    eintrag->setToolTip("Tipp des Eintrags");

    // No active entry: nothing is shown, and the base class sees the event (a widget without a
    // tool tip of its own ignores it).
    QHelpEvent ohne(QEvent::ToolTip, QPoint(1, 1), QPoint(10, 10));
    QCoreApplication::sendEvent(&menue, &ohne);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_FALSE(ohne.isAccepted());

    CQMenuBar leiste;
    QHelpEvent leer(QEvent::ToolTip, QPoint(1, 1), QPoint(10, 10));
    QCoreApplication::sendEvent(&leiste, &leer);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_FALSE(leer.isAccepted());

    menue.popup(QPoint(0, 0));
    menue.setActiveAction(eintrag);
    ASSERT_EQ(menue.activeAction(), eintrag);
    QHelpEvent mit(QEvent::ToolTip, QPoint(1, 1), QPoint(10, 10));
    QCoreApplication::sendEvent(&menue, &mit);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Tipp des Eintrags");
    QToolTip::hideText();
}

TEST(CQMenu, ZerstoerenLeertUntermenuesZuerst)
{
    auto untermenue = std::make_unique<CQMenu>();
    auto* unter_unter = new CQMenu(untermenue.get());
    unter_unter->addAction("ganz unten");
    untermenue->addAction(unter_unter->gib_aktion());
    untermenue->addAction("unten");

    auto* menue = new CQMenu;
    menue->addAction(untermenue->gib_aktion());
    menue->addAction("oben");
    delete menue;

    EXPECT_TRUE(untermenue->actions().isEmpty());
    EXPECT_TRUE(unter_unter->actions().isEmpty());
}
