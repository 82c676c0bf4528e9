// Image loader: where images are searched, what the cache keys on, and the compiled-in resource.
#include "bilder.h"
#include "heimordner.h"
#include "verzeichnisse.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void schreibe_png(const QString& pfad, int kante)
{
    QImage bild(kante, kante, QImage::Format_ARGB32);
    bild.fill(QColor(200, 30, 30));
    ASSERT_TRUE(bild.save(pfad, "PNG")) << qPrintable(pfad);
}

// Every test runs with an application root of its own (so the search never strays into the
// build tree) and an empty current folder.
class Bilder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        const QString wurzel = tmp.filePath(QStringLiteral("wurzel"));
        QDir().mkpath(wurzel + QStringLiteral("/support"));
        QDir().mkpath(wurzel + QStringLiteral("/prog"));
        gib_anwendungsverzeichnis(true, CQString(wurzel + QStringLiteral("/prog/app")), true);
        aktuell = tmp.filePath(QStringLiteral("aktuell"));
        QDir().mkpath(aktuell);
        vorher = QDir::currentPath();
        QDir::setCurrent(aktuell);
    }
    void TearDown() override { QDir::setCurrent(vorher); }

    QTemporaryDir tmp;
    QString aktuell;
    QString vorher;
};

QList<QSize> groessen(const QIcon& icon) { return icon.availableSizes(); }

} // namespace

TEST_F(Bilder, NurDieDateiOhneGroesseImAktuellenOrdnerGibtEineGroesse)
{
    schreibe_png(aktuell + QStringLiteral("/exportpdf.png"), 20);
    const QIcon icon = gib_qicon(CQString("exportpdf"), true);
    EXPECT_EQ(groessen(icon), QList<QSize>{QSize(20, 20)});
    // The small request fell back to the plain file; no 22-pixel request was made.
    EXPECT_EQ(lade_pixmap(CQString(), CQString("exportpdf"), 0, 0, true)->size(), QSize(20, 20));
}

TEST_F(Bilder, BeideGroessenImPersoenlichenOrdner)
{
    ASSERT_EQ(gib_eigene_dateien().absolutePath(), QDir(HeimOrdner::gib().path()).absolutePath());
    schreibe_png(HeimOrdner::gib().path() + QStringLiteral("/exportpdf_16.png"), 16);
    schreibe_png(HeimOrdner::gib().path() + QStringLiteral("/exportpdf_22.png"), 22);
    const QIcon icon = gib_qicon(CQString("exportpdf"), true);
    EXPECT_EQ(groessen(icon), (QList<QSize>{QSize(16, 16), QSize(22, 22)}));
}

TEST_F(Bilder, FehlendesBildBleibtLeerAuchWennDieDateiSpaeterKommt)
{
    QPixmap* erstes = lade_pixmap(CQString(), CQString("fehlt"), 0, 0, true);
    ASSERT_NE(erstes, nullptr);
    EXPECT_TRUE(erstes->isNull());
    EXPECT_TRUE(groessen(gib_qicon(CQString("fehlt"), true)).isEmpty());

    schreibe_png(aktuell + QStringLiteral("/fehlt_16.png"), 16);
    QPixmap* zweites = lade_pixmap(CQString(), CQString("fehlt"), 0, 0, true);
    EXPECT_EQ(zweites, erstes);
    EXPECT_TRUE(zweites->isNull());
}

TEST_F(Bilder, OrdnerGehoertNichtZumSchluesselVarianteSchon)
{
    const QString ordner = tmp.filePath(QStringLiteral("anderer")) + QLatin1Char('/');
    QDir().mkpath(ordner);
    schreibe_png(ordner + QStringLiteral("print_16.png"), 30);

    QPixmap* aus_ressource = lade_pixmap(gib_bildverzeichnis(), CQString("print"), 0, 0, true);
    ASSERT_EQ(aus_ressource->size(), QSize(16, 16));
    QPixmap* aus_ordner = lade_pixmap(CQString(ordner), CQString("print"), 0, 0, true);
    EXPECT_EQ(aus_ordner, aus_ressource);
    EXPECT_EQ(aus_ordner->size(), QSize(16, 16));

    QPixmap* andere_variante = lade_pixmap(CQString(ordner), CQString("print"), 0, 1, true);
    EXPECT_NE(andere_variante, aus_ressource);
    EXPECT_EQ(andere_variante->size(), QSize(30, 30));
}

TEST_F(Bilder, GroessenartenWaehlenDieEndung)
{
    const QString ordner = tmp.filePath(QStringLiteral("bilder")) + QLatin1Char('/');
    QDir().mkpath(ordner);
    schreibe_png(ordner + QStringLiteral("bild_16.png"), 16);
    schreibe_png(ordner + QStringLiteral("bild_22.png"), 22);
    schreibe_png(ordner + QStringLiteral("bild.png"), 40);
    EXPECT_EQ(lade_pixmap(CQString(ordner), CQString("bild"), 5, 0, false)->size(), QSize(22, 22));
    EXPECT_EQ(lade_pixmap(CQString(ordner), CQString("bild"), 2, 0, false)->size(), QSize(40, 40));
    EXPECT_EQ(lade_pixmap(CQString(ordner), CQString("bild"), 0, 0, false)->size(), QSize(16, 16));
}

TEST_F(Bilder, RessourceHaeltLogoDruckbildUndAlleIcons)
{
    const QPixmap logo = gib_logo_pixmap();
    EXPECT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(48, 48));

    QPixmap* klein = gib_pixmap_print(0, 0);
    QPixmap* gross = gib_pixmap_print(1, 0);
    EXPECT_EQ(klein->size(), QSize(16, 16));
    EXPECT_EQ(gross->size(), QSize(22, 22));
    EXPECT_EQ(gib_pixmap_print(0, 0), klein);
    EXPECT_EQ(lade_pixmap(gib_bildverzeichnis(), CQString("print"), 1, 0, true), gross);

    const QList<QSize> beide{QSize(16, 16), QSize(22, 22)};
    for (const QIcon& icon : {gib_icon_configure(), gib_icon_data(), gib_icon_exit(), gib_icon_filesaveas(),
                              gib_icon_help(), gib_icon_minicross(), gib_icon_print(), gib_icon(CQString("mail")),
                              gib_icon(CQString("leftarrow")), gib_icon(CQString("rightarrow")),
                              gib_icon(CQString("exportpdf")), gib_icon(CQString("home"))})
        EXPECT_EQ(groessen(icon), beide);
    // An image the resource does not hold gives an icon without pixmaps.
    EXPECT_TRUE(gib_icon(CQString("zoomin")).isNull());
    EXPECT_EQ(QPixmap(QStringLiteral(":/Kelmor_common/images/textedit/zoomin.png")).size(), QSize(22, 22));
}
