// Word size, console stand-ins, the replaceable beep, shell and message box, process-wide values.
#include "plattform.h"
#include "sitzungsende.h"
#include "systemwerte.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

    // Ctrl+C ends the wait (in a child, whose signals are its own): no Enter ever comes down its pipe.
    int leitung[2], bereit[2], status = 0;
    ASSERT_TRUE(::pipe(leitung) == 0 && ::pipe(bereit) == 0);
    const pid_t kind = ::fork();
    if (kind == 0) {
        fange_sitzungsende_ab(false);
        ::alarm(60);
        if (::dup2(leitung[0], STDIN_FILENO) == STDIN_FILENO && ::write(bereit[1], "j", 1) == 1)
            warte_auf_enter("Programmende");
        ::_exit(sitzungsende_signal() == SIGINT ? 0 : 1);
    }
    char zeichen = 0;
    EXPECT_TRUE(::read(bereit[0], &zeichen, 1) == 1 && ::kill(kind, SIGINT) == 0 && ::waitpid(kind, &status, 0) == kind
                && WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
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

// Every program of the core, this one too, survives a write past the file-size limit: the write
// fails with EFBIG, and no SIGXFSZ ends the program. Tried in a child, whose limit is its own;
// the programs started from here get the default signal back.
TEST(Plattform, SchreibenUeberDieDateigroessengrenzeScheitertNur)
{
    QTemporaryDir ordner;
    const QByteArray datei = QFile::encodeName(ordner.filePath(QStringLiteral("grenze")));
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        rlimit grenze{};
        ::getrlimit(RLIMIT_FSIZE, &grenze);
        grenze.rlim_cur = 4;
        ::setrlimit(RLIMIT_FSIZE, &grenze);
        const int fd = ::open(datei.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const bool gescheitert = fd >= 0 && ::write(fd, "12345678", 8) == 4 && ::write(fd, "9", 1) == -1 && errno == EFBIG;
        ::_exit(gescheitert ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);

    QProcess kind_programm;
    kind_programm.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("grep SigIgn /proc/self/status")});
    ASSERT_TRUE(kind_programm.waitForFinished(10000));
    const qulonglong ignoriert = kind_programm.readAllStandardOutput().split('\t').value(1).trimmed().toULongLong(nullptr, 16);
    EXPECT_EQ(ignoriert & (1ull << (SIGXFSZ - 1)), 0u);
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
