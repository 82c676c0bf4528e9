// The tool-bar search: the result address, the bounded list of recent searches in the store, and its menu.
#include "browserapplication.h"
#include "heimordner.h"
#include "toolbarsearch.h"

#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Each test program has a personal folder of its own, so the settings of the cases, which run
// side by side as separate programs, never meet.
class ToolbarSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().remove("toolbarsearch");
        BrowserApplication::setze_privateBrowsing(false);
    }
    void TearDown() override { BrowserApplication::setze_privateBrowsing(false); }

    // Searches for each text; the emitted addresses.
    static QList<QUrl> suche(ToolbarSearch& feld, const QStringList& texte)
    {
        QSignalSpy spion(&feld, &ToolbarSearch::search);
        for (const QString& text : texte) {
            feld.lineEdit()->setText(text);
            QTest::keyClick(&feld, Qt::Key_Return);
        }
        QList<QUrl> urls;
        for (const QList<QVariant>& s : spion)
            urls << s.at(0).toUrl();
        return urls;
    }
    static QStringList gespeichert()
    {
        return QSettings().value("toolbarsearch/recentSearches").toStringList();
    }
    static QStringList menuetexte(ToolbarSearch& feld)
    {
        emit feld.menu()->aboutToShow();
        QStringList texte;
        for (QAction* a : feld.menu()->actions())
            texte << a->text();
        return texte;
    }
};

} // namespace

TEST_F(ToolbarSearchTest, AdresseUndGespeicherteListe)
{
    const QString host = QLatin1String(ToolbarSearch::suchmaschine);
    {
        ToolbarSearch feld;
        const QList<QUrl> urls = suche(feld, {"abc"});
        ASSERT_EQ(urls.size(), 1);
        EXPECT_EQ(urls.at(0).toString(), "http://" + host + "/search?q=abc&ie=UTF-8&oe=UTF-8&client=webbrowser");
    }
    EXPECT_EQ(gespeichert(), QStringList({"abc"}));
    EXPECT_EQ(QSettings().value("toolbarsearch/maximumSaved").toInt(), 10);

    QSettings().setValue("toolbarsearch/maximumSaved", 3);
    QSettings().setValue("toolbarsearch/recentSearches", QStringList());
    {
        ToolbarSearch feld;
        suche(feld, {"a", "b", "c"});
    }
    EXPECT_EQ(gespeichert(), QStringList({"c", "b"}));

    QSettings().remove("toolbarsearch");
    {
        ToolbarSearch feld;
        suche(feld, {"abc", "x", "abc"});
    }
    EXPECT_EQ(gespeichert(), QStringList({"abc", "x"}));

    QSettings().remove("toolbarsearch");
    {
        ToolbarSearch feld;
        EXPECT_TRUE(suche(feld, {""}).at(0).toString().contains("?q=&ie="));
    }
    EXPECT_EQ(gespeichert(), QStringList({""}));

    // Private: the address still goes out, the list stays.
    BrowserApplication::setze_privateBrowsing(true);
    {
        ToolbarSearch feld;
        EXPECT_EQ(suche(feld, {"geheim"}).size(), 1);
    }
    EXPECT_EQ(gespeichert(), QStringList({""}));
}

TEST_F(ToolbarSearchTest, SonderzeichenBleibenEinSuchbegriffUndFalscheWerteStoerenNicht)
{
    QSettings().setValue("toolbarsearch/maximumSaved", 0);
    QSettings().setValue("toolbarsearch/recentSearches", 17);
    ToolbarSearch feld;
    const QString text = QString::fromUtf8("a&b=c#d +\u00e4\u00df");
    const QList<QUrl> urls = suche(feld, {text, "zwei"});
    ASSERT_EQ(urls.size(), 2);
    const QUrl gelesen = QUrl::fromEncoded(urls.at(0).toEncoded());
    const QUrlQuery query(gelesen);
    EXPECT_EQ(query.queryItems().size(), 4);
    EXPECT_EQ(query.queryItemValue("q", QUrl::FullyDecoded), text);
    EXPECT_TRUE(gelesen.fragment().isEmpty());
}

TEST_F(ToolbarSearchTest, MenueDerLetztenSuchen)
{
    ToolbarSearch feld;
    QSignalSpy spion(&feld, &ToolbarSearch::search);
    ASSERT_EQ(menuetexte(feld), QStringList({"No Recent Searches"}));
    feld.menu()->actions().at(0)->trigger();
    EXPECT_EQ(spion.size(), 0);

    suche(feld, {"eins", "zwei"});
    EXPECT_EQ(menuetexte(feld),
              QStringList({"Recent Searches", "zwei", "eins", "", "Clear Recent Searches"}));
    feld.menu()->actions().at(2)->trigger();
    ASSERT_EQ(spion.size(), 3);
    EXPECT_EQ(QUrlQuery(spion.at(2).at(0).toUrl()).queryItemValue("q"), "eins");
    EXPECT_EQ(menuetexte(feld).mid(1, 2), QStringList({"eins", "zwei"}));

    // Opened by keys from the field, as a combo box's list: Alt+Down, then F4 to clear the list.
    for (const auto& [taste, mit, wahl] : {std::tuple(Qt::Key_Down, Qt::AltModifier, Qt::Key_Escape),
                                           std::tuple(Qt::Key_F4, Qt::NoModifier, Qt::Key_Up)}) {
        QTimer::singleShot(0, feld.menu(), [&feld, wahl = wahl] {
            QTest::keyClick(feld.menu(), wahl);
            QTest::keyClick(feld.menu(), Qt::Key_Return);
        });
        QTest::keyClick(&feld, taste, mit);
    }
    EXPECT_EQ(menuetexte(feld), QStringList({"No Recent Searches"}));
}

// Two browsers search: a save keeps what the other saved since.
TEST_F(ToolbarSearchTest, ZweiBrowserBehaltenDieSuchenDesAnderen)
{
    auto erster = std::make_unique<ToolbarSearch>();
    auto zweiter = std::make_unique<ToolbarSearch>();
    suche(*erster, {"eins"});
    erster.reset();
    suche(*zweiter, {"zwei"});
    zweiter.reset();
    EXPECT_EQ(gespeichert(), QStringList({"zwei", "eins"}));
}
