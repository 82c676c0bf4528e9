// Error objects: their fields, the record in "fehler.txt", and how they report themselves.
#include "cfehler.h"
#include "klassen.h"
#include "testziele.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>
#include <memory>

namespace {

class FehlerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        kern_einstellungen().setze_fehlerdatei(1);
        kern_einstellungen().setze_debug_ausgabe(0);
    }

    QByteArray datei() const
    {
        QFile f(QStringLiteral("fehler.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QList<QByteArray> zeilen() const
    {
        QList<QByteArray> z = datei().split('\n');
        if (!z.isEmpty() && z.last().isEmpty())
            z.removeLast();
        return z;
    }
    static bool ist_zeitzeile(const QByteArray& z)
    {
        static const QRegularExpression muster(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} - \\d\\d:\\d\\d:\\d\\d$"));
        return muster.match(QString::fromLatin1(z)).hasMatch();
    }

    TestOrdner ordner;
    SammelZiel ziel;
};

} // namespace

TEST_F(FehlerTest, FelderUndKlasse)
{
    const CFehler f(3, klasse_funktion, "lies", "Datei fehlt");
    EXPECT_EQ(f.typ, 3);
    EXPECT_EQ(f.klasse, klasse_funktion);
    EXPECT_EQ(f.methode, "lies");
    EXPECT_EQ(f.text, "Datei fehlt");
    EXPECT_EQ(f.gib_klasse(), &eintrag_CFehler);
    EXPECT_TRUE(f.ist_abgeleitet_von(&eintrag_CFehler));
    EXPECT_TRUE(f.ist_abgeleitet_von(CBasis::klasse));
    EXPECT_FALSE(f.ist_abgeleitet_von(CObjekt::klasse));

    const CQFehler q(1, &eintrag_CZeit, CQString("m"), CQString("\u00FCbel"));
    EXPECT_EQ(q.typ, 1);
    EXPECT_EQ(q.klasse, &eintrag_CZeit);
    EXPECT_EQ(q.methode, QStringLiteral("m"));
    EXPECT_EQ(q.text, QStringLiteral("\u00FCbel"));
}

TEST_F(FehlerTest, DatensatzVonCFehler)
{
    CFehler(3, klasse_funktion, "lies", "Datei fehlt");
    CFehler(1, &eintrag_CZeit, "gib_text", "falsch");
    CFehler(5, nullptr, "egal", "ohne Klasse");
    CFehler(9, klasse_kurz, "x", "y");
    const QList<QByteArray> z = zeilen();
    ASSERT_EQ(z.size(), 12);
    for (int i = 0; i < 12; i += 3)
        EXPECT_TRUE(ist_zeitzeile(z[i])) << z[i].constData();
    EXPECT_EQ(z[1], "EINGABEFEHLER: in Methode oder Funktion  lies: ");
    EXPECT_EQ(z[2], "Datei fehlt");
    EXPECT_EQ(z[4], "PROGRAMMIERFEHLER: in Klasse CZeit, Methode gib_text: ");
    EXPECT_EQ(z[5], "falsch");
    EXPECT_EQ(z[7], "");
    EXPECT_EQ(z[8], "ohne Klasse");
    EXPECT_EQ(z[10], "KEIN GUELTIGER FEHLERTYP: in Klasse Dummy: fuer kurze Ausgaben, Methode x: ");
    // Constructing writes no message; reporting is the catcher's call.
    EXPECT_TRUE(ziel.zeilen.empty());
    EXPECT_TRUE(ziel.qzeilen.empty());
}

TEST_F(FehlerTest, DatensatzVonCQFehler)
{
    CQFehler(3, klasse_funktion, CQString("lies"), CQString("Gr\u00F6\u00DFe fehlt"));
    CQFehler(0, &eintrag_CZeitVDN, CQString("CZeitVDN"), CQString("kaputt"));
    CQFehler(-1, nullptr, CQString("m"), CQString("ohne Klasse"));
    const QByteArray inhalt = datei();
    EXPECT_FALSE(inhalt.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> z = zeilen();
    ASSERT_EQ(z.size(), 9);
    EXPECT_TRUE(ist_zeitzeile(z[0]));
    EXPECT_EQ(z[1], "EINGABEFEHLER: in Methode oder Funktion  lies: ");
    EXPECT_EQ(z[2], "Gr\xC3\xB6\xC3\x9F" "e fehlt"); // UTF-8
    EXPECT_EQ(z[4], "FATALER FEHLER: in Klasse CZeitVDN, Methode CZeitVDN: ");
    EXPECT_EQ(z[5], "kaputt");
    EXPECT_EQ(z[7], "");
    EXPECT_EQ(z[8], "ohne Klasse");
}

TEST_F(FehlerTest, SchalterAusSchreibtNichts)
{
    kern_einstellungen().setze_fehlerdatei(0);
    CFehler(3, klasse_funktion, "a", "b");
    CQFehler(3, klasse_funktion, CQString("a"), CQString("b"));
    // Only exactly 1 counts as on.
    kern_einstellungen().setze_fehlerdatei(2);
    CFehler(3, klasse_funktion, "a", "b");
    EXPECT_FALSE(QFile::exists(QStringLiteral("fehler.txt")));
    kern_einstellungen().setze_fehlerdatei(1);
    CQFehler(3, klasse_funktion, CQString("a"), CQString("b"));
    EXPECT_EQ(zeilen().size(), 3);
    // Not set means the default, which is on.
    kern_einstellungen().setze_fehlerdatei(99999999);
    CFehler(3, klasse_funktion, "a", "b");
    EXPECT_EQ(zeilen().size(), 6);
}

TEST_F(FehlerTest, KopienSchreibenKeinenZweitenDatensatz)
{
    const CFehler f(2, klasse_funktion, "m", "t");
    const CQFehler q(2, klasse_funktion, CQString("m"), CQString("t"));
    ASSERT_EQ(zeilen().size(), 6);
    const CFehler kopie(f);
    const CQFehler qkopie(q);
    const std::unique_ptr<CFehlerBasis> k1(f.gib_kopie());
    const std::unique_ptr<CFehlerBasis> k2(q.gib_kopie());
    EXPECT_EQ(zeilen().size(), 6);
    EXPECT_EQ(dynamic_cast<CFehler&>(*k1).text, "t");
    EXPECT_EQ(dynamic_cast<CQFehler&>(*k2).methode, QStringLiteral("m"));
    EXPECT_EQ(kopie.typ, 2);
    EXPECT_EQ(qkopie.klasse, klasse_funktion);
}

TEST_F(FehlerTest, NichtBeschreibbareDateiWirdUebergangen)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("fehler.txt")));
    try {
        throw CQFehler(3, klasse_funktion, CQString("m"), CQString("trotzdem"));
    } catch (const CFehlerBasis& f) {
        EXPECT_EQ(f.gib_meldung(), "trotzdem");
    }
    EXPECT_THROW(throw CFehler(3, klasse_funktion, "m", "auch"), CFehler);
}

TEST_F(FehlerTest, RohrAlsFehlerdateiWirdUebergangenOhneZuWarten)
{
    const Wecker wecker;
    ASSERT_TRUE(lege_rohr_an(QStringLiteral("fehler.txt")));
    // With a reader at the other end nothing goes into the pipe.
    const int leser = ::open("fehler.txt", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    CFehler(3, klasse_funktion, "m", "mit Leser");
    CQFehler(3, klasse_funktion, CQString("m"), CQString("mit Leser"));
    char zeichen;
    EXPECT_EQ(::read(leser, &zeichen, 1), 0);
    ::close(leser);
    // Without one, opening to write would wait for a reader for ever.
    EXPECT_THROW(throw CFehler(3, klasse_funktion, "m", "ohne Leser"), CFehler);
    EXPECT_THROW(throw CQFehler(3, klasse_funktion, CQString("m"), CQString("ohne Leser")), CQFehler);
}

// The current folder may be shared: a "fehler.txt" there that another user made a link (to the
// user's start-up file, say) is never written through; the user's own link is.
TEST_F(FehlerTest, LinkEinesAnderenAlsFehlerdateiWirdNichtBeschrieben)
{
    const QString opfer = ordner.pfad(QStringLiteral("profil"));
    QFile f(opfer);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("alt\n");
    f.close();
    ASSERT_TRUE(QFile::link(opfer, QStringLiteral("fehler.txt")));
    CFehler(3, klasse_funktion, "m", "eigener Link");
    f.open(QIODevice::ReadOnly);
    EXPECT_TRUE(f.readAll().endsWith("eigener Link\n"));
    f.close();

    if (::geteuid() != 0)
        GTEST_SKIP() << "a link of another owner needs root to be made";
    ASSERT_EQ(::lchown("fehler.txt", 12345, 12345), 0);
    CFehler(3, klasse_funktion, "m", "fremder Link");
    CQFehler(3, klasse_funktion, CQString("m"), CQString("fremder Link"));
    f.open(QIODevice::ReadOnly);
    EXPECT_FALSE(f.readAll().contains("fremder Link"));
    f.close();

    // Every link of a chain counts, not only the one of the name.
    ASSERT_TRUE(QFile::rename(QStringLiteral("fehler.txt"), ordner.pfad(QStringLiteral("fremd"))));
    ASSERT_TRUE(QFile::link(ordner.pfad(QStringLiteral("fremd")), QStringLiteral("fehler.txt")));
    CFehler(3, klasse_funktion, "m", "Kette mit fremdem Link");
    f.open(QIODevice::ReadOnly);
    EXPECT_FALSE(f.readAll().contains("Kette"));
}

TEST_F(FehlerTest, MeldeUndQmelde)
{
    kern_einstellungen().setze_debug_ausgabe(1);
    try {
        throw CFehler(3, klasse_funktion, "lies", "Datei fehlt");
    } catch (const CFehlerBasis& f) {
        f.melde();
    }
    ASSERT_EQ(ziel.zeilen.size(), 1u);
    EXPECT_EQ(ziel.zeilen[0], "FEHLER: in Methode oder Funktion  lies: <br>Datei fehlt<p>");
    EXPECT_TRUE(ziel.qzeilen.empty());

    ziel.leere();
    try {
        throw CQFehler(4, &eintrag_CZeit, CQString("gib_text"), CQString("Vorsicht"));
    } catch (const CFehlerBasis& f) {
        f.melde(true);
    }
    ASSERT_EQ(ziel.qzeilen.size(), 1u);
    EXPECT_EQ(ziel.qzeilen[0],
              QStringLiteral("<span style=\"color:#b36b3f\">WARNUNG: in Klasse CZeit, Methode gib_text: "
                             "Vorsicht</span>"));
    EXPECT_EQ(ziel.level_liste, std::vector<int>{1});

    ziel.leere();
    CQFehler(3, klasse_funktion, CQString("lies"), CQString("x")).melde();
    ASSERT_EQ(ziel.qzeilen.size(), 1u);
    // One blank before the method name in the window, two in the error file.
    EXPECT_TRUE(ziel.qzeilen[0].contains(QStringLiteral("FEHLER: in Methode oder Funktion lies: x")));

    // With debug output off the window line carries the text alone.
    kern_einstellungen().setze_debug_ausgabe(0);
    ziel.leere();
    CFehler(3, klasse_funktion, "lies", "Datei fehlt").melde();
    ASSERT_EQ(ziel.zeilen.size(), 1u);
    EXPECT_EQ(ziel.zeilen[0], "<span style=\"color:#b20000\">Datei fehlt</span><br><p>");
}

TEST(Fehlertypen, Namen)
{
    const char* namen[] = {"FATALER FEHLER", "PROGRAMMIERFEHLER", "SYNTAXFEHLER", "EINGABEFEHLER",
                           "WARNUNG",        "INFO",              "DEBUG"};
    for (int typ = 0; typ < 7; ++typ) {
        EXPECT_EQ(fehlertyp_text(typ), namen[typ]);
        EXPECT_EQ(qfehlertyp_text(typ), QString::fromLatin1(namen[typ]));
    }
    EXPECT_EQ(fehlertyp_text(7), "KEIN GUELTIGER FEHLERTYP");
    EXPECT_EQ(qfehlertyp_text(-1), QStringLiteral("KEIN GUELTIGER FEHLERTYP"));
}
