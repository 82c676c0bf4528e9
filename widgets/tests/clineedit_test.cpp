// The line edit's verdict (colour, valid flag, signals), its refused euro sign, and the number and text validators.
#include "cdoublevalidator.h"
#include "clineedit.h"
#include "cstringvalidator.h"
#include "piepzaehler.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// Set before main builds the application, which reads the system locale from the environment:
// numbers must not be read the German way behind the tests' back.
const bool c_locale = (setenv("LC_ALL", "C.UTF-8", 1), true);

const QString euro = QString(QChar(0x20AC));
constexpr auto Invalid = QValidator::Invalid;
constexpr auto Intermediate = QValidator::Intermediate;
constexpr auto Acceptable = QValidator::Acceptable;

void pruefe_faelle(const QValidator& validator, const std::vector<std::pair<const char*, QValidator::State>>& faelle)
{
    for (const auto& [text, erwartet] : faelle) {
        QString eingabe = QString::fromUtf8(text);
        int position = eingabe.size() - 1;
        EXPECT_EQ(validator.validate(eingabe, position), erwartet) << text;
    }
}

// Derived input fields refuse the euro sign this way.
class Eingabefeld : public CLineEdit
{
public:
    void verweigere_euro() { euro_verweigern = true; }
};

QColor hintergrund(const QLineEdit& edit)
{
    return edit.palette().color(edit.backgroundRole());
}

void tippe(QWidget& ziel, int taste, const QString& text, Qt::KeyboardModifiers tasten = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, taste, tasten, text);
    QApplication::sendEvent(&ziel, &e);
}

} // namespace

TEST(DoubleValidator, UrteileUndPieptoene)
{
    PiepZaehler piep;
    CDoubleValidator validator(0, 100, 2);
    pruefe_faelle(validator, {{"-5", Invalid}, {" - ", Invalid}, {"12.345", Invalid}, {"150", Invalid},
                              {"abc", Invalid}, {"", Intermediate}, {" . ", Intermediate}, {"e5", Intermediate},
                              {"1e", Intermediate}, {"1e-", Intermediate}, {"1e+", Intermediate},
                              {"1e1", Acceptable}, {"12.34", Acceptable}});
    EXPECT_EQ(piep.anzahl, 5);
    validator.setzeBereich(10, 100, 0);
    pruefe_faelle(validator, {{"5", Intermediate}, {"100", Acceptable}, {"10.0", Invalid}});
    pruefe_faelle(CDoubleValidator(-10, 100, 2), {{" - ", Intermediate}, {"-20", Intermediate}});
    EXPECT_EQ(piep.anzahl, 6);
}

// Texts that read as no finite number: not a number, infinity, and exponents beyond what a double
// holds either way. None is a value in any range, and typing on cannot make one.
TEST(DoubleValidator, KeineEndlicheZahlIstUngueltig)
{
    PiepZaehler piep;
    for (const CDoubleValidator& validator : {CDoubleValidator(0, 100, 2), CDoubleValidator(-1e308, 1e308, 2)})
        pruefe_faelle(validator, {{"nan", Invalid}, {"NaN", Invalid}, {"inf", Invalid}, {"-inf", Invalid},
                                  {"1e999", Invalid}, {"99e999", Invalid}, {"1e-999", Invalid}, {"1e-99", Acceptable},
                                  {"1e9", validator.gibMaximum() > 100 ? Acceptable : Invalid}});
    CDoubleValidator validator(-1e308, 1e308, 2);
    EXPECT_EQ(validator.pruefe_zahlenstring(QStringLiteral("1e999")), Invalid);
    EXPECT_EQ(validator.gibMeldung(), QStringLiteral("unzulässiger Zahlenstring"));
    EXPECT_EQ(piep.anzahl, 16);
}

TEST(DoubleValidator, ZahlenstringNenntDenGrund)
{
    PiepZaehler piep;
    CDoubleValidator validator(0, 100, 2);
    const auto pruefe = [&validator](const char* eingabe, QValidator::State erwartet, const char* meldung) {
        EXPECT_EQ(validator.pruefe_zahlenstring(QString::fromUtf8(eingabe)), erwartet) << eingabe;
        EXPECT_EQ(validator.gibMeldung(), QString::fromUtf8(meldung)) << eingabe;
    };
    pruefe("12.345", Invalid, "Maximale Zahl der Kommastellen 2 überschritten");
    pruefe("150", Invalid, "Maximalwert 100 überschritten");
    // The exponent still being typed: no reason, no beep, and the last message is gone.
    for (const char* eingabe : {"1e", "1e-", "1e+"})
        pruefe(eingabe, Intermediate, "");
    validator.setzeBereich(10, 100, 0);
    pruefe("5", Intermediate, "Minimalwert 10 unterschritten");
    pruefe("-5", Invalid, "Zahlenstring enthält unzulässiges '-'");
    EXPECT_EQ(piep.anzahl, 3);
}

TEST(StringValidator, OptionenUndLatin1JedesZeichens)
{
    PiepZaehler piep;
    QObject p;
    pruefe_faelle(CStringValidator(false, false, &p, false, "", false),
                  {{" abc", Invalid}, {"it's", Invalid}, {"abc", Acceptable}});
    pruefe_faelle(CStringValidator(true, true, &p, false, "", true), {{"Abc", Invalid}, {"abc ", Acceptable}});
    pruefe_faelle(CStringValidator(false, false, &p, true, "", true), {{"abc€", Invalid}, {"äöü'ß", Acceptable}});
    // Blanks at the start do not hide a character without a Latin-1 form at the end.
    pruefe_faelle(CStringValidator(false, true, &p, true, "", true), {{"  ab€", Invalid}, {"  ab ", Acceptable}});
    pruefe_faelle(CStringValidator(&p), {{" Ab€' ", Acceptable}});
    EXPECT_EQ(piep.anzahl, 5);
}

TEST(LineEdit, PflichtfeldMeldetNurUebergaenge)
{
    PiepZaehler piep;
    CLineEdit edit;
    std::vector<bool> urteile;
    int geaendert = 0;
    // A slot that sets the text again is ignored.
    QObject::connect(&edit, &CLineEdit::text_changed_signal, [&](bool gueltig) {
        urteile.push_back(gueltig);
        edit.setzeText(CQString("aus signal"));
    });
    QObject::connect(&edit, &CLineEdit::text_Changed, [&](CLineEdit* sender) { geaendert += sender == &edit; });
    edit.setzePflichtfeld(true);
    EXPECT_EQ(hintergrund(edit), QColor(Qt::red));

    tippe(edit, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("x"));
    EXPECT_EQ(urteile, std::vector<bool>{true});
    EXPECT_EQ(geaendert, 1);
    EXPECT_TRUE(edit.istGueltig());
    EXPECT_EQ(hintergrund(edit), QColor(Qt::white));
    tippe(edit, Qt::Key_Backspace, QString());
    EXPECT_EQ(urteile, (std::vector<bool>{true, false}));
    EXPECT_FALSE(edit.istGueltig());
    EXPECT_EQ(hintergrund(edit), QColor(Qt::red));

    // An invalid field that changes, and is cleared again, stays silent.
    CDoubleValidator zahl(0, 100, 2);
    edit.setzeValidator(&zahl);
    edit.setText(QStringLiteral("150"));
    edit.clear();
    EXPECT_EQ(urteile.size(), 2u);
    EXPECT_EQ(geaendert, 1);

    edit.setzeZahl(42);
    EXPECT_TRUE(edit.istGueltig());
    edit.setzeZahl(99999999);
    EXPECT_EQ(edit.text(), QString());
    // Not required any more: the ok colour, even for a text the validator refuses.
    edit.setzeText(CQString("150"));
    EXPECT_FALSE(edit.istGueltig());
    edit.setzePflichtfeld(false);
    EXPECT_EQ(hintergrund(edit), QColor(Qt::white));
}

TEST(LineEdit, EuroMitAltVerweigert)
{
    PiepZaehler piep;
    Eingabefeld edit;
    tippe(edit, Qt::Key_E, euro, Qt::AltModifier);
    EXPECT_EQ(edit.text(), euro);
    edit.clear();
    edit.verweigere_euro();
    tippe(edit, Qt::Key_E, euro, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QString());
    EXPECT_EQ(piep.anzahl, 1);
    // A pasted euro sign is no key press: the euro test refuses it.
    edit.setzeText(CQString("a") + euro);
    EXPECT_FALSE(edit.istGueltig());
    EXPECT_EQ(hintergrund(edit), QColor(Qt::red));
}
