// The bookmarks menu, tool bar and the add and organise dialogs over the process's bookmark tree.
#include "menutexte.h"
#include "heimordner.h"
#include "addbookmarkdialog.h"
#include "bookmarknode.h"
#include "bookmarksdialog.h"
#include "bookmarksmanager.h"
#include "bookmarksmenu.h"
#include "bookmarksmodel.h"
#include "bookmarkstoolbar.h"
#include "browserapplication.h"
#include "editviews.h"
#include "historymanager.h"
#include "searchlineedit.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class BookmarksViews : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager = BrowserApplication::bookmarksManager();
        for (BookmarkNode* ordner : {manager->toolbar(), manager->menu()})
            for (BookmarkNode* kind : ordner->children())
                manager->removeBookmark(kind);
        manager->undoRedoStack()->clear();
        model = manager->bookmarksModel();
    }
    BookmarkNode* neu(BookmarkNode* ordner, const QString& titel, const QString& url = QString())
    {
        auto* node = new BookmarkNode(url.isEmpty() ? BookmarkNode::Folder : BookmarkNode::Bookmark);
        node->title = titel;
        node->url = url;
        manager->addBookmark(ordner, node);
        return node;
    }
    static QStringList titel(const BookmarkNode* ordner)
    {
        QStringList liste;
        for (const BookmarkNode* kind : ordner->children())
            liste << kind->title;
        return liste;
    }
    BookmarksManager* manager = nullptr;
    BookmarksModel* model = nullptr;
};

QToolButton* knopf(QToolBar& leiste, const QString& text)
{
    for (QToolButton* k : leiste.findChildren<QToolButton*>())
        if (k->text() == text)
            return k;
    return nullptr;
}

// A drop needs no drag of the system's: the handler is called as the drop would call it.
class Leiste : public BookmarksToolBar
{
public:
    using BookmarksToolBar::BookmarksToolBar;
    using BookmarksToolBar::dropEvent;
};

void lasseFallen(Leiste& leiste, const QString& auf)
{
    QAction* ziel = nullptr;
    for (QAction* a : leiste.actions())
        if (a->text() == auf)
            ziel = a;
    ASSERT_NE(ziel, nullptr);
    QMimeData daten;
    daten.setUrls({QUrl("http://n.example/")});
    daten.setText("B1");
    QDropEvent ereignis(leiste.widgetForAction(ziel)->geometry().center(), Qt::CopyAction, &daten,
                        Qt::LeftButton, Qt::NoModifier);
    leiste.dropEvent(&ereignis);
}

} // namespace

TEST_F(BookmarksViews, MenuZeigtLeisteUndMenueordner)
{
    neu(manager->menu(), "B1", "http://b1.example/");
    manager->addBookmark(manager->menu(), new BookmarkNode(BookmarkNode::Separator));
    neu(neu(manager->menu(), "F1"), "B2", "http://b2.example/");
    BookmarksMenu menu;
    EXPECT_EQ(menu_texte(menu), QStringList({"[Bookmarks Bar]", "-", "B1", "-", "[F1]"}));
    QSignalSpy hover(&menu, qOverload<const QString&>(&ModelMenu::hovered));
    menu.actions().at(2)->hover();
    ASSERT_EQ(hover.size(), 1);
    EXPECT_EQ(hover.at(0).at(0).toString(), "http://b1.example/");
}

TEST_F(BookmarksViews, LeisteZeigtOrdnerAlsMenuesBautNeuUndNimmtLinksAuf)
{
    BookmarkNode* zehn = neu(manager->toolbar(), "Zehn");
    BookmarkNode* unter = neu(zehn, "Unter");
    for (int i = 0; i < 7; ++i)
        neu(unter, QString("u%1").arg(i), "http://u.example/");
    for (int i = 0; i < 9; ++i)
        neu(zehn, QString("z%1").arg(i), "http://z.example/");
    neu(manager->toolbar(), "Leer");
    BookmarkNode* b1 = neu(manager->toolbar(), "B1", "http://b1.example/");

    Leiste leiste(model);
    leiste.resize(600, 40);
    leiste.show();
    QToolButton* zehnKnopf = knopf(leiste, "Zehn");
    ASSERT_NE(zehnKnopf, nullptr);
    ASSERT_EQ(menu_texte(*zehnKnopf->menu()).size(), 6);
    EXPECT_EQ(menu_texte(*zehnKnopf->menu()->actions().at(0)->menu()).size(), 7);
    QToolButton* leer = knopf(leiste, "Leer");
    ASSERT_NE(leer, nullptr);
    EXPECT_EQ(leer->popupMode(), QToolButton::InstantPopup);
    EXPECT_TRUE(menu_texte(*leer->menu()).isEmpty());

    manager->setTitle(b1, "B1 neu");
    EXPECT_EQ(leiste.actions().last()->text(), "B1 neu");
    manager->setTitle(b1, "B1");
    QApplication::processEvents();

    lasseFallen(leiste, "B1");
    ASSERT_EQ(titel(manager->toolbar()), QStringList({"Zehn", "Leer", "B1", "B1"}));
    EXPECT_EQ(manager->toolbar()->children().at(2)->url, "http://n.example/");
    QApplication::processEvents();
    lasseFallen(leiste, "Leer");
    EXPECT_EQ(titel(manager->toolbar()->children().at(1)), QStringList({"B1"}));
}

TEST_F(BookmarksViews, NeuesLesezeichenLandetAmEndeDesMenueordners)
{
    neu(manager->menu(), "Alt", "http://alt.example/");
    AddBookmarkDialog dialog("http://a.example/", "A");
    EXPECT_EQ(dialog.name->text(), "A");
    dialog.accept();
    EXPECT_EQ(titel(manager->menu()), QStringList({"Alt", "A"}));
    EXPECT_EQ(manager->menu()->children().last()->url, "http://a.example/");
    EXPECT_EQ(manager->undoRedoStack()->undoText(), "Insert Bookmark");
}

TEST_F(BookmarksViews, DialogEntferntLesezeichenUndLegtOrdnerHinterDemAktuellenAn)
{
    BrowserApplication::historyManager()->clear();
    BrowserApplication::historyManager()->addUrl("http://b.example/");
    for (const char* t : {"eins", "zwei", "kite", "drei"})
        neu(manager->menu(), t, QString("http://%1.example/").arg(t));
    neu(manager->menu(), "weg", "http://b.example/");

    auto* dialog = new BookmarksDialog(nullptr, manager);
    QAbstractItemModel* proxy = dialog->tree->model();
    const QModelIndex menueordner = proxy->index(1, 0);
    EXPECT_FALSE(proxy->flags(menueordner) & (Qt::ItemIsDragEnabled | Qt::ItemIsEditable));

    // Removing goes through the model: one undoable step, the history stays.
    dialog->tree->setCurrentIndex(proxy->index(4, 0, menueordner));
    dialog->removeButton->click();
    EXPECT_EQ(titel(manager->menu()), QStringList({"eins", "zwei", "kite", "drei"}));
    EXPECT_EQ(manager->undoRedoStack()->undoText(), "Remove Bookmark");
    EXPECT_EQ(BrowserApplication::historyManager()->entries().size(), 1);
    dialog->tree->setCurrentIndex(menueordner);
    QTest::keyClick(dialog->tree, Qt::Key_Delete);
    EXPECT_EQ(titel(manager->bookmarks()), QStringList({"Bookmarks Bar", "Bookmarks Menu"}));

    dialog->tree->setCurrentIndex(proxy->index(0, 0));
    dialog->addFolderButton->click();
    EXPECT_EQ(titel(manager->toolbar()), QStringList({"New Folder"}));

    // With a filter the proxy row is not the tree's row.
    dialog->search->lineEdit()->setText("k");
    const QModelIndex kite = proxy->index(0, 0, proxy->index(1, 0));
    ASSERT_EQ(kite.data().toString(), "kite");
    dialog->tree->setCurrentIndex(kite);
    dialog->addFolderButton->click();
    EXPECT_EQ(titel(manager->menu()), QStringList({"eins", "zwei", "kite", "New Folder", "drei"}));
    dialog->search->lineEdit()->clear();

    // Opened folders are stored when the dialog goes, later and without an undo step.
    manager->saveIfNecessary();
    const int schritte = manager->undoRedoStack()->count();
    ASSERT_FALSE(manager->menu()->expanded);
    dialog->tree->setExpanded(proxy->index(1, 0), true);
    delete dialog;
    EXPECT_TRUE(manager->menu()->expanded);
    EXPECT_EQ(manager->undoRedoStack()->count(), schritte);
    const auto gespeichert = [] {
        QFile datei(BookmarksManager::fileName());
        return datei.open(QIODevice::ReadOnly) && datei.readAll().contains("<folder folded=\"no\">\n        <title>Bookmarks Menu");
    };
    EXPECT_FALSE(gespeichert());
    QTest::qWait(2500);
    EXPECT_FALSE(gespeichert());
    // The saver's three seconds are over soon; a loaded machine may take longer to run it.
    EXPECT_TRUE(QTest::qWaitFor(gespeichert, 20000));
}
