// The history menu over the day tree, and the history dialog's search, open, copy and removals.
#include "menutexte.h"
#include "heimordner.h"
#include "browserapplication.h"
#include "editviews.h"
#include "historydialog.h"
#include "historyitem.h"
#include "historymanager.h"
#include "historymenu.h"
#include "searchlineedit.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Set before main builds the application: day names are read from the system locale.
const bool c_locale = (setenv("LC_ALL", "C", 1), true);

class HistoryViews : public ::testing::Test
{
protected:
    void SetUp() override
    {
        history = BrowserApplication::historyManager();
        history->clear();
    }
    // `anzahl` visits per day, the newest day `heute` days back, oldest first into the store.
    void besuche(int tage, int anzahl)
    {
        const QDateTime jetzt = QDateTime::currentDateTime();
        for (int tag = tage - 1; tag >= 0; --tag)
            for (int i = 0; i < anzahl; ++i) {
                const QDateTime zeit(jetzt.date().addDays(-tag), QTime(0, 0).addSecs(i));
                emit history->entryAdded(
                    HistoryItem(QStringLiteral("http://t%1.example/%2").arg(tag).arg(i), zeit));
            }
    }
    HistoryManager* history = nullptr;
};

} // namespace

TEST_F(HistoryViews, MenuZeigtSeitenDesNeuestenTagesDannTage)
{
    HistoryMenu menu;
    EXPECT_EQ(menu_texte(menu), QStringList({"Show All History", "Clear History"}));

    const QDateTime gestern(QDate::currentDate().addDays(-1), QTime(12, 0));
    for (int i = 0; i < 3; ++i)
        emit history->entryAdded(HistoryItem(QStringLiteral("http://alt.example/%1").arg(i), gestern.addSecs(i)));
    besuche(1, 10);
    QStringList t = menu_texte(menu);
    ASSERT_EQ(t.size(), 15);
    EXPECT_EQ(t.at(10), "-");
    EXPECT_TRUE(t.at(11).startsWith("["));
    EXPECT_EQ(t.mid(12), QStringList({"-", "Show All History", "Clear History"}));
    QMenu* tag = menu.actions().at(11)->menu();
    EXPECT_EQ(menu_texte(*tag).size(), 3);

    QSignalSpy geoeffnet(&menu, &HistoryMenu::openUrl);
    menu.actions().at(0)->trigger();
    ASSERT_EQ(geoeffnet.size(), 1);
    EXPECT_EQ(geoeffnet.at(0).at(0).toUrl(), QUrl("http://t0.example/9"));

    history->clear();
    besuche(1, 20);
    t = menu_texte(menu);
    ASSERT_EQ(t.size(), 15 + 1 + 1 + 3);
    EXPECT_EQ(t.at(14), "5"); // untitled: the last path part
    EXPECT_EQ(t.at(15), "-");
    EXPECT_EQ(t.at(16), "[Earlier Today]");
    EXPECT_EQ(menu_texte(*menu.actions().at(16)->menu()).size(), 5);

    history->clear();
    besuche(10, 3);
    t = menu_texte(menu);
    EXPECT_EQ(t.mid(3, 1), QStringList({"-"}));
    EXPECT_EQ(t.filter("[").size(), 7);
    EXPECT_EQ(t.size(), 3 + 1 + 7 + 3);

    // "Clear History" empties the store and its file at once.
    history->saveIfNecessary();
    menu.actions().last()->trigger();
    EXPECT_TRUE(history->entries().isEmpty());
    EXPECT_EQ(QFileInfo(HistoryManager::dateiname()).size(), 0);
}

TEST_F(HistoryViews, DialogSuchtInAdressenOeffnetKopiertUndEntfernt)
{
    const QDateTime jetzt = QDateTime::currentDateTime();
    emit history->entryAdded(HistoryItem("http://www.example.com/a", jetzt.addSecs(-30), "Eins"));
    emit history->entryAdded(HistoryItem("http://other.org/example", jetzt.addSecs(-20), "Zwei"));
    emit history->entryAdded(HistoryItem("http://third.org/", jetzt.addSecs(-10), "example"));
    emit history->entryAdded(HistoryItem("http://www.example.com/a", jetzt, "Eins"));

    HistoryDialog dialog;
    QAbstractItemModel* model = dialog.tree->model();
    ASSERT_EQ(model->rowCount(), 3);
    dialog.search->lineEdit()->setText("EXAMPLE");
    ASSERT_EQ(model->rowCount(), 2);
    QStringList adressen;
    for (int i = 0; i < model->rowCount(); ++i)
        adressen << model->index(i, 1).data().toString();
    adressen.sort();
    EXPECT_EQ(adressen, QStringList({"http://other.org/example", "http://www.example.com/a"}));

    QSignalSpy geoeffnet(&dialog, &HistoryDialog::openUrl);
    QMetaObject::invokeMethod(&dialog, "open");
    EXPECT_EQ(geoeffnet.size(), 0);
    int zeile = 0;
    while (model->index(zeile, 1).data().toString() != "http://www.example.com/a")
        ++zeile;
    dialog.tree->setCurrentIndex(model->index(zeile, 0));
    QMetaObject::invokeMethod(&dialog, "open");
    ASSERT_EQ(geoeffnet.size(), 1);
    EXPECT_EQ(geoeffnet.at(0).at(0).toUrl(), QUrl("http://www.example.com/a"));
    QMetaObject::invokeMethod(&dialog, "copy");
    EXPECT_EQ(QApplication::clipboard()->text(), "http://www.example.com/a");

    dialog.removeButton->click();
    EXPECT_EQ(history->entries().size(), 2);
    for (const HistoryItem& item : history->entries())
        EXPECT_NE(item.url, "http://www.example.com/a");
    dialog.removeAllButton->click();
    EXPECT_TRUE(history->entries().isEmpty());
}
