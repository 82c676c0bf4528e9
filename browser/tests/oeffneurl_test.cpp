// The URL opener: the roads of the browser mode, its log lines, unchanged addresses, its place behind the text edit.
#include "cqstringsteuer.h"
#include "ctextedit.h"
#include "logmitschnitt.h"
#include "oeffneurl.h"
#include "plattform.h"
#include "steuerdaten.h"
#include "stubprogramm.h"
#include "systemwerte.h"
#include "verzeichnisse.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QString boese = QStringLiteral("http://b.example/?q=1 2&'a' \"b\" `c` $(d) ;e|f *");

void modus(const QString& text)
{
    gib_browsermodus_variable().setze_wert_qstr(CQString(text));
}

// R: an application root; S: a stub program; the shell records.
class Oeffner : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(tmp.filePath(QStringLiteral("R/support")));
        gib_anwendungsverzeichnis(true, CQString(tmp.filePath(QStringLiteral("R/prog/app"))), true);
        ASSERT_TRUE(schreibe_stubprogramm(S, protokoll));
        setze_shell_funktion([this](const QString& adresse) { return shell << adresse, shell_gelingt; });
    }
    void TearDown() override
    {
        setze_shell_funktion({});
        setze_hauptfenster(nullptr);
        modus(QString());
    }
    // How many log lines of the priority end with the message.
    int zeilen(const char* prioritaet, const QString& meldung) const
    {
        return QString::fromStdString(log.text())
            .count(QRegularExpression(QLatin1String(prioritaet) + QStringLiteral(".*: ")
                                      + QRegularExpression::escape(meldung) + QLatin1Char('\n')));
    }
    QString aufruf()
    {
        const QString text = warte_auf_protokoll(protokoll);
        QFile::remove(protokoll);
        return text;
    }

    QTemporaryDir tmp;
    const QString protokoll = tmp.filePath(QStringLiteral("aufruf"));
    const QString S = tmp.filePath(QStringLiteral("mit blank/stub"));
    LogMitschnitt log;
    QStringList shell;
    bool shell_gelingt = true;
};

} // namespace

TEST_F(Oeffner, ShellNurMitHauptfensterUndMitDerAdresseAlsEinemArgument)
{
    EXPECT_EQ(gib_webbrowser(), QString());
    EXPECT_FALSE(oeffne_url(QStringLiteral("http://127.0.0.1:9/x"), true));
    QWidget fenster;
    setze_hauptfenster(&fenster);
    EXPECT_TRUE(oeffne_url(boese, true));
    EXPECT_TRUE(oeffne_url(boese, false));
    modus(QStringLiteral("EXPLORER"));
    EXPECT_TRUE(oeffne_url(boese, true));
    modus(S);
    EXPECT_EQ(gib_webbrowser(), S);
    EXPECT_TRUE(oeffne_url(boese, false));
    EXPECT_EQ(shell, (QStringList{boese, boese, boese, boese}));
    shell_gelingt = false;
    EXPECT_FALSE(oeffne_url(boese, false));
    EXPECT_EQ(zeilen("ERROR", QStringLiteral("Shell-Start '%1' fehlgeschlagen").arg(boese)), 1);
    EXPECT_FALSE(QFile::exists(protokoll));

    // The default shell: `xdg-open` from PATH; none there is a failure, not a success.
    setze_shell_funktion({});
    const QByteArray path = qgetenv("PATH");
    schreibe_stubprogramm(tmp.filePath(QStringLiteral("bin/xdg-open")), protokoll);
    qputenv("PATH", QFile::encodeName(tmp.filePath(QStringLiteral("bin"))));
    EXPECT_TRUE(oeffne_url(boese, false));
    EXPECT_EQ(aufruf(), QStringLiteral("1|") + boese);
    qputenv("PATH", QFile::encodeName(tmp.filePath(QStringLiteral("leer"))));
    EXPECT_FALSE(oeffne_url(boese, false));
    qputenv("PATH", path);
}

TEST_F(Oeffner, ProgrammeBekommenDieAdresseAlsEinzigesArgumentAuchVomTextfeld)
{
    modus(QStringLiteral("webbrowser"));
    const QString befehl = tmp.filePath(QStringLiteral("R/WebBrowser.exe http://a.example/p"));
    EXPECT_FALSE(oeffne_url(QStringLiteral("http://a.example/p"), true));
    EXPECT_EQ(zeilen("ERROR", QStringLiteral("WebBrowser-Start '%1' fehlgeschlagen").arg(befehl)), 1);
    EXPECT_EQ(zeilen("DEBUG", befehl), 1);
    schreibe_stubprogramm(tmp.filePath(QStringLiteral("R/WebBrowser.exe")), protokoll);
    EXPECT_TRUE(oeffne_url(boese, false));
    EXPECT_EQ(aufruf(), QStringLiteral("1|") + boese);

    modus(S);
    EXPECT_TRUE(oeffne_url(QStringLiteral("http://a.example/?q=1 2"), true));
    EXPECT_EQ(aufruf(), QStringLiteral("1|http://a.example/?q=1 2"));
    setze_piep_funktion([](unsigned, unsigned) { return 0; });
    registriere_browser();
    CTextEdit().oeffneLink(QUrl(QStringLiteral("http://a.example/x")));
    setze_piep_funktion({});
    CTextEdit::setze_url_oeffner({});
    EXPECT_EQ(aufruf(), QStringLiteral("1|http://a.example/x"));

    modus(QStringLiteral(" intern"));
    EXPECT_FALSE(oeffne_url(QStringLiteral("http://x/"), true));
    EXPECT_EQ(zeilen("ERROR", QStringLiteral("Explorer-Start ' intern http://x/' fehlgeschlagen")), 1);
    EXPECT_TRUE(shell.isEmpty());
}

TEST_F(Oeffner, InternRuftDieFensterfabrikJedesMal)
{
    QStringList fenster;
    setze_browserfenster_fabrik([&fenster](const QString& url) { fenster << url; });
    modus(QStringLiteral("INTERN"));
    EXPECT_TRUE(oeffne_url(QStringLiteral("http://x/"), false));
    EXPECT_TRUE(oeffne_url(QStringLiteral("kein url"), true));
    setze_browserfenster_fabrik({});
    EXPECT_EQ(fenster, (QStringList{QStringLiteral("http://x/"), QStringLiteral("kein url")}));
    EXPECT_TRUE(shell.isEmpty());
}
