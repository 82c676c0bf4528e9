// The writer thread: results in order, the hook before an entry goes to the writer, large entries, stops.
#include "cschreiber.h"
#include "ziparchiv.h"
#include "zip_hilfe.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testzip;

namespace {

class Schreiber : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ziel = dir.path() + "/ziel";
        QDir().mkpath(ziel);
    }
    void oeffne(const std::vector<Eintrag>& eintraege)
    {
        schreibe(dir.path() + "/a.zip", baue(eintraege));
        ASSERT_TRUE(archiv.oeffne(dir.path() + "/a.zip"));
    }
    // Extracts the current entry and moves on.
    int naechster(CSchreiber& s)
    {
        CZipEintrag e;
        EXPECT_EQ(archiv.lies_eintrag(e), UNZ_OK);
        const int code = entpacke_eintrag(archiv.gib_handle(), e, ziel, false, s);
        archiv.naechster();
        return code;
    }
    QStringList inhalt() const
    {
        return QDir(ziel).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QString ziel;
    CZipArchiv archiv;
};

} // namespace

TEST_F(Schreiber, ErgebnisseInReihenfolgeUndHakenVorJedemEintrag)
{
    schreibe(ziel + "/ro.txt", "alt");
    QFile::setPermissions(ziel + "/ro.txt", QFile::ReadOwner);
    oeffne({datei("a.txt", "a"), datei("ro.txt", "neu"), datei("b.txt", "b")});
    CSchreiber s;
    QStringList ablauf;
    s.setze_vor_dem_schreiben([&] {
        if (s.hat_offenes())
            ablauf << QString::number(s.warte());
        ablauf << "haken";
    });
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(naechster(s), ENTPACK_OK);
    ASSERT_TRUE(s.hat_offenes());
    ablauf << QString::number(s.warte());
    EXPECT_EQ(ablauf, (QStringList{"haken", "0", "haken", QString::number(ENTPACK_AUSGABE), "haken", "0"}));
    EXPECT_EQ(s.gib_uebergeben(), 3u);
    EXPECT_EQ(lies(ziel + "/a.txt"), QByteArray("a"));
    EXPECT_EQ(lies(ziel + "/ro.txt"), QByteArray("alt"));
    EXPECT_EQ(lies(ziel + "/b.txt"), QByteArray("b"));
    EXPECT_EQ(QFileInfo(ziel + "/b.txt").lastModified(), dos_als_datum());
    EXPECT_EQ(inhalt().size(), 3);
}

TEST_F(Schreiber, GrosseEintraegeUndSchadhafteDaten)
{
    QByteArray gross(5 * 1024 * 1024 + 17, '\0');
    for (int i = 0; i < gross.size(); ++i)
        gross[i] = char((static_cast<unsigned>(i) * 7919u) >> 5);
    Eintrag kaputt = datei("kaputt.bin", gross);
    kaputt.crc_fehler = 1;
    schreibe(ziel + "/kaputt.bin", "alt");
    oeffne({datei("gross.bin", gross), kaputt});
    CSchreiber s;
    EXPECT_EQ(naechster(s), ENTPACK_OK);
    EXPECT_EQ(s.warte(), ENTPACK_OK);
    EXPECT_EQ(lies(ziel + "/gross.bin"), gross);
    // The reading side finds the bad CRC; the writer throws the file away.
    EXPECT_EQ(naechster(s), ENTPACK_SCHLIESSEN);
    EXPECT_EQ(s.warte(), ENTPACK_OK);
    EXPECT_EQ(lies(ziel + "/kaputt.bin"), QByteArray("alt"));
    EXPECT_EQ(inhalt().size(), 2);
}

TEST_F(Schreiber, AbbruchUndEndeOhneErgebnisabholung)
{
    {
        CSchreiber s;
        EXPECT_EQ(s.beginne(ziel, "halb.txt", false, dos_zeit), ENTPACK_OK);
        QByteArray& block = s.puffer();
        ASSERT_FALSE(block.isEmpty());
        block[0] = 'x';
        EXPECT_TRUE(s.schreibe(1));
        s.brich_ab();
        EXPECT_FALSE(s.hat_offenes());
        // Also when the entry is already with the writer.
        EXPECT_EQ(s.beginne(ziel, "gross.txt", false, dos_zeit), ENTPACK_OK);
        for (int i = 0; i < 3; ++i) {
            QByteArray& b = s.puffer();
            b.fill('z');
            EXPECT_TRUE(s.schreibe(b.size()));
        }
        s.brich_ab();
        EXPECT_FALSE(s.hat_offenes());
        // An entry handed over whose result nobody takes: the destructor waits for it.
        EXPECT_EQ(s.beginne(ziel, "fertig.txt", false, dos_zeit), ENTPACK_OK);
        s.puffer()[0] = 'y';
        s.schreibe(1);
        s.beende(true);
    }
    EXPECT_FALSE(QFileInfo::exists(ziel + "/halb.txt"));
    EXPECT_FALSE(QFileInfo::exists(ziel + "/gross.txt"));
    EXPECT_EQ(lies(ziel + "/fertig.txt"), QByteArray("y"));
    EXPECT_EQ(inhalt(), QStringList{"fertig.txt"});
}
