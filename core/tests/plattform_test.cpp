// Word size, console stand-ins, the replaceable beep, shell and message box, process-wide values.
#include "plattform.h"
#include "systemwerte.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

TEST(Plattform, WortbreiteNachArchitektur)
{
    for (const char* name : {"x86_64", "arm64", "ia64", "mips64", "power64", "riscv64", "s390x", "sparcv9"})
        EXPECT_TRUE(ist_64bit_architektur(QString::fromLatin1(name))) << name;
    for (const char* name : {"i386", "arm", "mips", "power", "sparc", ""})
        EXPECT_FALSE(ist_64bit_architektur(QString::fromLatin1(name))) << name;
    EXPECT_EQ(ist_64bit_system(), ist_64bit_architektur(QSysInfo::currentCpuArchitecture()));
}

TEST(Plattform, KonsoleWirdErstNachDerAbfrageBenutzt)
{
    std::istringstream eingabe("xy");
    std::streambuf* cin_alt = std::cin.rdbuf(eingabe.rdbuf());

    ::testing::internal::CaptureStderr();
    warte_auf_enter("zu frueh");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    const int zustand = wnt_c_inq_console();
    EXPECT_TRUE(zustand == 0 || zustand == 80 || zustand == 99) << zustand;
    EXPECT_EQ(wnt_c_inq_console(), zustand);
    EXPECT_EQ(oeffne_konsole(CQString()), zustand == 0 ? 0 : 1);
    EXPECT_EQ(wnt_c_inq_console(), zustand);

    ::testing::internal::CaptureStderr();
    warte_auf_enter("Programmende");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Programmende\nBitte <Enter> druecken\n");
    EXPECT_EQ(std::cin.get(), 'y');
    std::cin.rdbuf(cin_alt);
}

TEST(Plattform, ErsetzbarePiepShellUndMeldung)
{
    EXPECT_EQ(piepe(440, 50), 0);
    unsigned frequenz = 0;
    setze_piep_funktion([&frequenz](unsigned f, unsigned) {
        frequenz = f;
        return 1;
    });
    EXPECT_EQ(piepe(440, 50), 1);
    EXPECT_EQ(frequenz, 440u);
    setze_piep_funktion(nullptr);

    QString geoeffnet;
    setze_shell_funktion([&geoeffnet](const QString& url) {
        geoeffnet = url;
        return true;
    });
    EXPECT_TRUE(oeffne_mit_shell(QStringLiteral("https://example.invalid/")));
    EXPECT_EQ(geoeffnet, QStringLiteral("https://example.invalid/"));
    setze_shell_funktion(nullptr);

    QString gezeigt;
    setze_meldung_funktion([&gezeigt](QWidget*, const QString& titel, const QString& text,
                                      QMessageBox::StandardButtons, QMessageBox::StandardButton) {
        gezeigt = titel + QLatin1Char('|') + text;
        return QMessageBox::Ok;
    });
    EXPECT_EQ(zeige_meldung_kritisch(nullptr, QStringLiteral("???"), QStringLiteral("kaputt")), QMessageBox::Ok);
    EXPECT_EQ(gezeigt, QStringLiteral("???|kaputt"));
    setze_meldung_funktion(nullptr);
}

TEST(Systemwerte, HauptfensterUndSparten)
{
    EXPECT_EQ(gib_hauptfenster(), nullptr);
    auto* fenster = new QWidget;
    setze_hauptfenster(fenster);
    EXPECT_EQ(gib_hauptfenster(), fenster);
    delete fenster;
    EXPECT_EQ(gib_hauptfenster(), nullptr);

    EXPECT_EQ(gib_sparte(0), QStringLiteral("Strom"));
    EXPECT_EQ(gib_sparte(3), QStringLiteral("Fernw\u00e4rme"));
    EXPECT_EQ(gib_sparte(7), QStringLiteral("Versionsverwaltung"));
    EXPECT_EQ(gib_sparte(8), QStringLiteral("?modus?"));
    EXPECT_EQ(gib_sparte(-1), QStringLiteral("?modus?"));
}
