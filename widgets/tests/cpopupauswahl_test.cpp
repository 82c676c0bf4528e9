// The popup choice field: picking from the list, refusing typed values, the default it restores, non-standard mode.
#include "clineedit.h"
#include "cpopupauswahl.h"
#include "piepzaehler.h"
#include "widgeteinstellungen.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/PatternLayout.hh>
#include <log4cpp/StringQueueAppender.hh>

namespace {

// Accepts exactly "A", "B" and "C"; notes whether the switch was ever on during a check.
class AbcValidator : public CValidator
{
public:
    State validate(QString& eingabe, int&) const override
    {
        schalter_an |= gibSchalter();
        return QStringList{"A", "B", "C"}.contains(eingabe) ? Acceptable : Invalid;
    }
    mutable bool schalter_an = false;
};

class TextAnbieter : public CAuswahlAnbieter
{
public:
    CQString gibAnzeigetext(const CQString& wert) const override { return CQString("Text ") + wert; }
    CQString gibTooltip(const CQString& wert) const override { return CQString("Tip ") + wert; }
};

class Auswahl : public CPopupAuswahl
{
public:
    using CPopupAuswahl::popup_activated_slot;
    QString edit() const { return gibEdit()->text(); }
    QString button() const { return gibButton()->text(); }
    QColor hintergrund() const { return gibEdit()->palette().color(gibEdit()->backgroundRole()); }
};

class PopupAuswahlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auswahl.setzeEintraege({CQString("A"), CQString("B"), CQString("C")});
        auswahl.setzeValidator(&validator);
        auswahl.setzeAnbieter(&anbieter);
        auswahl.setzePruefung(true, false);
        QObject::connect(&auswahl, &CPopupAuswahl::auswahl_geandert_signal,
                         [this](CPopupAuswahl* sender) { signale += sender == &auswahl; });
        auto* layout = new log4cpp::PatternLayout;
        layout->setConversionPattern("%p %m");
        mitschnitt->setLayout(layout);
        log4cpp::Category::getRoot().addAppender(mitschnitt);
    }
    void TearDown() override { log4cpp::Category::getRoot().removeAppender(mitschnitt); }

    AbcValidator validator;
    TextAnbieter anbieter;
    Auswahl auswahl;
    int signale = 0;
    log4cpp::StringQueueAppender* mitschnitt = new log4cpp::StringQueueAppender("auswahl");
};

} // namespace

TEST_F(PopupAuswahlTest, ListeWaehltNurGueltigeIds)
{
    auswahl.popup_activated_slot(3);
    auswahl.popup_activated_slot(-1);
    ASSERT_EQ(mitschnitt->queueSize(), 2u);
    EXPECT_EQ(mitschnitt->popMessage(), "ERROR CPopupAuswahl: Falsch initialisiert!");
    EXPECT_EQ(auswahl.edit() + auswahl.button(), QString());
    EXPECT_EQ(signale, 0);

    auswahl.popup_activated_slot(2);
    EXPECT_EQ(auswahl.edit(), QStringLiteral("C"));
    EXPECT_EQ(auswahl.button(), QStringLiteral("Text C"));
    EXPECT_EQ(auswahl.toolTip(), QStringLiteral("Tip C"));
    EXPECT_EQ(signale, 1);
    // The widget's own checks run with the validator's switch off, and leave it on.
    EXPECT_FALSE(validator.schalter_an);
    EXPECT_TRUE(validator.gibSchalter());

    auswahl.gibListe()->actions().value(1)->trigger();
    EXPECT_EQ(auswahl.button(), QStringLiteral("Text B"));
    EXPECT_EQ(signale, 2);
}

TEST_F(PopupAuswahlTest, VerweigerterWertBringtDieVorgabeEinmalZurueck)
{
    PiepZaehler piep;
    auswahl.setzeVorgabe(CQString("A"), CQString("Bitte wählen"));
    ASSERT_TRUE(auswahl.waehle(CQString("A")));
    ASSERT_EQ(auswahl.button(), QStringLiteral("Text A"));

    auswahl.gibEdit()->selectAll();
    QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("Z"));
    QApplication::sendEvent(auswahl.gibEdit(), &z);
    EXPECT_EQ(piep.anzahl, 1);
    EXPECT_EQ(auswahl.edit(), QStringLiteral("A"));
    EXPECT_EQ(auswahl.button(), QString::fromUtf8("Bitte wählen"));
    EXPECT_EQ(auswahl.toolTip(), QString());
    EXPECT_EQ(signale, 2);

    auswahl.setEnabled(false);
    auswahl.gibEdit()->setText(QStringLiteral("Q"));
    EXPECT_EQ(auswahl.edit(), QStringLiteral("A"));
    EXPECT_EQ(signale, 3);
    EXPECT_EQ(piep.anzahl, 1);

    // With an empty button a refused value is neither replaced nor announced.
    auswahl.setze_button(CQString(), CQString());
    auswahl.gibEdit()->setText(QStringLiteral("Q"));
    EXPECT_EQ(auswahl.edit(), QStringLiteral("Q"));
    EXPECT_EQ(signale, 3);
}

TEST_F(PopupAuswahlTest, WaehleNichtAusDemSignalUndOhneAnbieterLeer)
{
    std::vector<bool> aus_signal;
    QObject::connect(&auswahl, &CPopupAuswahl::auswahl_geandert_signal,
                     [&] { aus_signal.push_back(auswahl.waehle(CQString("B"))); });
    EXPECT_TRUE(auswahl.waehle(CQString("A")));
    EXPECT_EQ(aus_signal, std::vector<bool>{false});
    EXPECT_EQ(auswahl.edit(), QStringLiteral("A"));

    auswahl.setzeAnbieter(nullptr);
    EXPECT_TRUE(auswahl.waehle(CQString("C")));
    EXPECT_EQ(auswahl.edit(), QStringLiteral("C"));
    EXPECT_EQ(auswahl.button() + auswahl.toolTip(), QString());
    auswahl.popup_activated_slot(0);
    EXPECT_EQ(mitschnitt->queueSize(), 1u);
    EXPECT_EQ(auswahl.edit(), QStringLiteral("C"));
}

TEST_F(PopupAuswahlTest, NichtVdnFarbeBleibtBeimWaehlen)
{
    const QColor verweigert = gib_widget_einstellungen().farbe_pflichteintrag;
    const QColor nicht_vdn = gib_widget_einstellungen().farbe_nicht_vdn;
    auswahl.waehle(CQString("B"));
    EXPECT_EQ(auswahl.hintergrund(), QColor(Qt::white));
    EXPECT_TRUE(auswahl.faerbe_nichtVDN());
    EXPECT_TRUE(auswahl.waehle(CQString("A")));
    EXPECT_EQ(auswahl.hintergrund(), nicht_vdn);
    auswahl.setze_button(CQString(), CQString());
    auswahl.gibEdit()->setText(QStringLiteral("Q"));
    EXPECT_EQ(auswahl.hintergrund(), verweigert);
}

TEST(PopupAuswahlKlassen, EintraegeSindRegistriert)
{
    EXPECT_TRUE(CKlasse::finde("CPopupAuswahl") && CKlasse::finde("CValidator"));
}
