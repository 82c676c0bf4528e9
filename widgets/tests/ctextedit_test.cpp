// The text edit's links (tool tip, Ctrl+click, the opener hook), its refused euro sign and its settings.
#include "ctextedit.h"
#include "cqstringsteuer.h"
#include "cvariablesteuer.h"
#include "plattform.h"
#include "steuervarliste.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>
#include <gtest/gtest.h>

#include <vector>

namespace {

const QString hinweis = QString::fromUtf8("STRG+Mausklick zum Öffnen der Verknüpfung");
const QString euro = QString(QChar(0x20AC));

// Derived input fields refuse the euro sign this way.
class EuroFreiesFeld : public CTextEdit
{
public:
    EuroFreiesFeld() { euro_verweigern = true; }
};

// Counts beeps and records what the opener was asked to open.
class TextEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setze_piep_funktion([this](unsigned, unsigned) {
            ++pieptoene;
            return 0;
        });
        CTextEdit::setze_url_oeffner([this](const CQString& adresse, const bool& webadresse) {
            geoeffnet.push_back(adresse);
            EXPECT_TRUE(webadresse);
            return true;
        });
    }
    void TearDown() override
    {
        CTextEdit::setze_url_oeffner({});
        setze_piep_funktion({});
    }

    static void zeige(CTextEdit& edit, const QString& text)
    {
        edit.setPlainText(text);
        edit.resize(500, 200);
        edit.show();
    }
    // A point inside paragraph `absatz` at character `zeichen`, in viewport coordinates.
    static QPoint punkt(CTextEdit& edit, int absatz, int zeichen)
    {
        QTextCursor cursor(edit.document()->findBlockByNumber(absatz));
        cursor.setPosition(cursor.position() + zeichen);
        return edit.cursorRect(cursor).center() + QPoint(2, 0);
    }
    static void bewege(CTextEdit& edit, const QPoint& pos)
    {
        QMouseEvent e(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &e);
    }
    static void klicke(CTextEdit& edit, const QPoint& pos, Qt::KeyboardModifiers tasten)
    {
        QMouseEvent druck(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, tasten);
        QApplication::sendEvent(edit.viewport(), &druck);
        QMouseEvent los(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, tasten);
        QApplication::sendEvent(edit.viewport(), &los);
    }
    static void tippe(CTextEdit& edit, Qt::KeyboardModifiers tasten)
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_E, tasten, euro);
        QApplication::sendEvent(&edit, &e);
    }

    int pieptoene = 0;
    std::vector<QString> geoeffnet;
};

} // namespace

TEST_F(TextEditTest, TooltipUndStrgKlickNurImLinkAbsatz)
{
    CTextEdit edit;
    EXPECT_EQ(edit.objectName(), QStringLiteral("CTextEdit"));
    EXPECT_FALSE(edit.acceptRichText());
    EXPECT_EQ(edit.tabStopDistance(), 10.0);
    // Hovering without a pressed button reaches the widget only with tracking on the viewport.
    EXPECT_TRUE(edit.viewport()->hasMouseTracking());
    EXPECT_EQ(CTextEdit(nullptr, CQString("protokoll")).objectName(), QStringLiteral("protokoll"));

    zeige(edit, QStringLiteral("siehe http://example.org/a b\nohne"));
    bewege(edit, punkt(edit, 0, 2));
    EXPECT_EQ(edit.toolTip(), QStringLiteral("http://example.org/a\n") + hinweis);
    bewege(edit, punkt(edit, 1, 1));
    EXPECT_EQ(edit.toolTip(), QString());

    klicke(edit, punkt(edit, 1, 1), Qt::ControlModifier);
    EXPECT_TRUE(geoeffnet.empty());
    klicke(edit, punkt(edit, 0, 3), Qt::ControlModifier | Qt::ShiftModifier);
    klicke(edit, punkt(edit, 0, 3), Qt::NoModifier);
    EXPECT_TRUE(geoeffnet.empty());
    EXPECT_EQ(pieptoene, 0);

    klicke(edit, punkt(edit, 0, 3), Qt::ControlModifier);
    EXPECT_EQ(geoeffnet, std::vector<QString>{QStringLiteral("http://example.org/a")});
    EXPECT_EQ(pieptoene, 1);
}

TEST_F(TextEditTest, ZweiLinksOeffnenImmerDenErsten)
{
    CTextEdit edit;
    zeige(edit, QStringLiteral("http://a.de/x und https://b.de/y"));
    for (int zeichen : {0, 15, 20, 31})
        klicke(edit, punkt(edit, 0, zeichen), Qt::ControlModifier);
    EXPECT_EQ(geoeffnet, std::vector<QString>(4, QStringLiteral("http://a.de/x")));
    EXPECT_EQ(pieptoene, 4);
}

TEST_F(TextEditTest, OhneEingesetztenOeffnerGehtDieAdresseAnDieShell)
{
    std::vector<QString> shell;
    setze_shell_funktion([&shell](const QString& adresse) {
        shell.push_back(adresse);
        return true;
    });
    CTextEdit::setze_url_oeffner({});
    CTextEdit edit;
    zeige(edit, QStringLiteral("siehe https://example.org/b?x=1"));
    klicke(edit, punkt(edit, 0, 1), Qt::ControlModifier);
    setze_shell_funktion({});
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0], QStringLiteral("https://example.org/b?x=1"));
    EXPECT_TRUE(geoeffnet.empty());
    EXPECT_EQ(pieptoene, 1);
}

TEST_F(TextEditTest, EuroMitAltWirdVerweigertEingefuegtesNicht)
{
    CTextEdit frei;
    tippe(frei, Qt::AltModifier);
    EXPECT_EQ(frei.toPlainText(), euro);

    EuroFreiesFeld edit;
    tippe(edit, Qt::AltModifier);
    tippe(edit, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(edit.toPlainText(), QString());
    EXPECT_EQ(pieptoene, 2);
    tippe(edit, Qt::NoModifier);
    edit.insertPlainText(euro);
    EXPECT_EQ(edit.toPlainText(), euro + euro);
    EXPECT_EQ(pieptoene, 2);
}

TEST_F(TextEditTest, UngueltigesMusterErkenntKeinenLink)
{
    CTextEdit::gib_url_muster_variable().setze_wert_qstr(CQString("((http"));
    CTextEdit edit;
    zeige(edit, QStringLiteral("siehe http://example.org/a b"));
    bewege(edit, punkt(edit, 0, 8));
    EXPECT_EQ(edit.toolTip(), QString());
    klicke(edit, punkt(edit, 0, 8), Qt::ControlModifier);
    EXPECT_TRUE(geoeffnet.empty());
    EXPECT_EQ(pieptoene, 0);
    // A plain click: the text cursor stands where the mouse was.
    EXPECT_EQ(edit.textCursor().position(), edit.cursorForPosition(punkt(edit, 0, 8)).position());
}

TEST(TextEditEinstellungen, EinmalImVerzeichnisMitVorgaben)
{
    CQStringSteuer& muster = CTextEdit::gib_url_muster_variable();
    CVariableSteuer<int>& breite = CTextEdit::gib_tabbreite_variable();
    const CSteuerVarListe& liste = *gib_steuervar_liste();
    EXPECT_EQ(liste.at("/Privat/UrlPattern"), static_cast<CVariableBasis*>(&muster));
    EXPECT_EQ(liste.at("/Privat/TextEdit_tab_Breite"), static_cast<CVariableBasis*>(&breite));
    EXPECT_EQ(muster.gib_wert_qstr(), QStringLiteral("((http|https)://[^ ]+)"));
    EXPECT_EQ(muster.gib_beschreibung().gib_string(), "Muster zum Erkennen von URLs");
    EXPECT_EQ(breite.gib_wert(), 10);
    EXPECT_EQ(breite.gib_beschreibung().gib_string(), "Tabbreite (Pixel) in Textedit");

    breite.setze_wert(24);
    CTextEdit edit;
    EXPECT_EQ(edit.tabStopDistance(), 24.0);
}
