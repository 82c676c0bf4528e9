// The bookmarks manager with its model: loading and sorting the file, saving, undo, drag and drop, import and export.
#include "bookmarksmanager.h"
#include "bookmarksmodel.h"
#include "dialogseam.h"
#include "plattform.h"
#include "wecker.h"
#include "xbelreader.h"

#include <QAbstractItemModelTester>
#include <QDataStream>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Box
{
    QMessageBox::Icon symbol;
    QString titel;
    QString text;
};

// Every test runs in a home of its own, so the data folder starts missing; the boxes and file
// dialogs are answered and recorded.
class Lesezeichen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        alterHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon symbol, const QString& titel, const QString& text,
                                    const QStringList&, int, int abbruch) {
            boxen.push_back({symbol, titel, text});
            return abbruch;
        });
        setze_meldung_funktion([this](QWidget*, const QString& titel, const QString& text,
                                      QMessageBox::StandardButtons, QMessageBox::StandardButton) {
            boxen.push_back({QMessageBox::Critical, titel, text});
            return QMessageBox::Ok;
        });
        setze_oeffnen_funktion([this](QWidget*, const QString&, const QString&, const QString&) { return antwort; });
        setze_speichern_funktion(
            [this](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) { return antwort; });
    }
    void TearDown() override
    {
        // Its last save still belongs in the test's home.
        manager.reset();
        setze_frage_funktion(nullptr);
        setze_meldung_funktion(nullptr);
        setze_oeffnen_funktion(nullptr);
        setze_speichern_funktion(nullptr);
        qputenv("HOME", alterHome);
    }

    static void schreibeDatei(const QString& pfad, const QByteArray& inhalt)
    {
        QDir().mkpath(QFileInfo(pfad).absolutePath());
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }
    static QByteArray leseDatei(const QString& pfad)
    {
        QFile datei(pfad);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }
    static QStringList titel(const BookmarkNode* ordner)
    {
        QStringList liste;
        for (const BookmarkNode* node : ordner->children())
            liste << node->title;
        return liste;
    }
    static BookmarkNode* lesezeichen(BookmarkNode* ordner, const QString& titel, const QString& url = QString())
    {
        auto* node = new BookmarkNode(BookmarkNode::Bookmark, ordner);
        node->title = titel;
        node->url = url;
        return node;
    }
    QString topTitel() const { return stack()->command(stack()->count() - 1)->text(); }
    QUndoStack* stack() const { return manager->undoRedoStack(); }

    QTemporaryDir home;
    QByteArray alterHome;
    std::vector<Box> boxen;
    QString antwort;
    std::unique_ptr<BookmarksManager> manager = std::make_unique<BookmarksManager>();
};

} // namespace

TEST_F(Lesezeichen, ErsterStartHatZweiLeereOrdnerUndLegtDenDatenordnerErstBeiEinerAenderungAn)
{
    EXPECT_EQ(titel(manager->bookmarks()), QStringList({"Bookmarks Bar", "Bookmarks Menu"}));
    EXPECT_EQ(manager->toolbar()->children().size() + manager->menu()->children().size(), 0);
    // Nothing waits to be saved: the auto-saver would write now.
    manager->saveIfNecessary();
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(BookmarksManager::fileName()).absolutePath()));
    EXPECT_TRUE(boxen.empty());

    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "A", "http://a.example/"));
    manager->saveIfNecessary();
    EXPECT_TRUE(leseDatei(BookmarksManager::fileName()).contains("<bookmark href=\"http://a.example/\">"));
}

TEST_F(Lesezeichen, LadenBehaeltDieLetztenOberordnerUebernimmtAlteNamenUndVerwirftFremde)
{
    schreibeDatei(BookmarksManager::fileName(),
                  "<xbel><folder><title>Bookmarks Bar</title><bookmark href=\"x\"><title>X</title></bookmark></folder>"
                  "<folder><title>Toolbar Bookmarks</title><bookmark href=\"t\"><title>T</title></bookmark></folder>"
                  "<bookmark href=\"l\"><title>L</title></bookmark><folder><title>Other</title></folder>"
                  "<folder><title>Menu</title><bookmark href=\"m\"><title>M</title></bookmark></folder></xbel>");
    EXPECT_EQ(titel(manager->bookmarks()), QStringList({"Bookmarks Bar", "Bookmarks Menu"}));
    EXPECT_EQ(titel(manager->toolbar()), QStringList({"T"}));
    EXPECT_EQ(titel(manager->menu()), QStringList({"M", "L"}));

    manager->save();
    const QByteArray datei = leseDatei(BookmarksManager::fileName());
    EXPECT_TRUE(datei.contains("<title>Bookmarks Bar</title>"));
    EXPECT_TRUE(datei.contains("<title>Bookmarks Menu</title>"));
    for (const char* weg : {"Toolbar Bookmarks", "<title>Menu", "Other", "<title>X"})
        EXPECT_FALSE(datei.contains(weg)) << weg;
}

TEST_F(Lesezeichen, KaputteDateiWirdGemeldetUndDasGeleseneBleibt)
{
    schreibeDatei(BookmarksManager::fileName(), "<xbel>\n<folder><title>Bookmarks Menu</title>\n"
                                                "<bookmark href=\"a\"><title>A</title></bookmark>\n<bookmark");
    EXPECT_EQ(titel(manager->menu()), QStringList({"A"}));
    EXPECT_EQ(manager->bookmarks()->children().size(), 2);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].symbol, QMessageBox::Warning);
    EXPECT_EQ(boxen[0].titel, QStringLiteral("Loading Bookmark"));
    EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("Error when loading bookmarks on line 4, column 9:\n")))
        << qPrintable(boxen[0].text);
}

// A bookmarks file that is a pipe is never waited for: it reads as a damaged file, and the two
// top folders are there.
TEST_F(Lesezeichen, RohrAlsDateiWirdNichtAbgewartet)
{
    const Wecker wecker;
    QDir().mkpath(QFileInfo(BookmarksManager::fileName()).absolutePath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(BookmarksManager::fileName()).constData(), 0600), 0);
    EXPECT_EQ(titel(manager->bookmarks()), QStringList({"Bookmarks Bar", "Bookmarks Menu"}));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, QStringLiteral("Loading Bookmark"));
}

TEST_F(Lesezeichen, ModellBearbeitetUndEntferntRueckgaengigMachbar)
{
    BookmarksModel* model = manager->bookmarksModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    BookmarkNode* ordner = new BookmarkNode(BookmarkNode::Folder);
    ordner->title = QStringLiteral("F");
    lesezeichen(ordner, "A", "http://a.example/");
    new BookmarkNode(BookmarkNode::Separator, ordner);
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "B", "http://b.example/"));
    manager->addBookmark(manager->menu(), ordner);
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "C"));

    const QModelIndex a = model->index(0, 1, model->index(ordner));
    QSignalSpy geaendert(model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model->setData(a, QStringLiteral("http://neu.example/")));
    EXPECT_EQ(topTitel(), QStringLiteral("Address Change"));
    EXPECT_EQ(model->data(a, BookmarksModel::UrlRole).toUrl(), QUrl("http://neu.example/"));
    stack()->undo();
    EXPECT_EQ(model->data(a, BookmarksModel::UrlStringRole).toString(), QStringLiteral("http://a.example/"));
    EXPECT_EQ(geaendert.count(), 2);

    const int vorher = stack()->index();
    ASSERT_TRUE(model->removeRows(1, 1, model->index(manager->menu())));
    EXPECT_EQ(stack()->index(), vorher + 1);
    EXPECT_EQ(titel(manager->menu()), QStringList({"B", "C"}));
    stack()->undo();
    EXPECT_EQ(titel(manager->menu()), QStringList({"B", "F", "C"}));
    EXPECT_EQ(ordner->children().size(), 2);

    // The top folders are fixed; a node without parent cannot be removed.
    for (BookmarkNode* oben : {manager->toolbar(), manager->menu()}) {
        const Qt::ItemFlags flags = model->flags(model->index(oben));
        EXPECT_FALSE(flags & (Qt::ItemIsEditable | Qt::ItemIsDragEnabled));
        EXPECT_TRUE(flags & Qt::ItemIsDropEnabled);
    }
    EXPECT_TRUE(model->removeRows(0, 2));
    EXPECT_FALSE(model->removeRows(1, 2));
    BookmarkNode lose(BookmarkNode::Bookmark);
    manager->removeBookmark(&lose);
    manager->removeBookmark(manager->bookmarks());
    EXPECT_EQ(stack()->index(), vorher);
    EXPECT_EQ(manager->bookmarks()->children().size(), 2);
}

TEST_F(Lesezeichen, ZiehenTraegtXbelUndNurDasEigeneVerschiebenWartetAufRemoveRows)
{
    BookmarksModel* model = manager->bookmarksModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    manager->addBookmark(manager->toolbar(), lesezeichen(nullptr, "A", "http://a.example/"));
    manager->addBookmark(manager->toolbar(), lesezeichen(nullptr, "B", "http://b.example/"));
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "M"));
    const QModelIndex bar = model->index(manager->toolbar());
    const QModelIndex menu = model->index(manager->menu());

    std::unique_ptr<QMimeData> daten(model->mimeData({model->index(0, 0, bar), model->index(0, 1, bar),
                                                      model->index(1, 0, bar)}));
    QByteArray bytes = daten->data(QStringLiteral("application/bookmarks.xbel"));
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    QByteArray a, b, rest;
    stream >> a >> b >> rest;
    EXPECT_TRUE(a.startsWith("<?xml") && b.startsWith("<?xml") && b.contains("<title>B</title>"));
    EXPECT_TRUE(rest.isEmpty());

    const int vorher = stack()->count();
    ASSERT_TRUE(model->dropMimeData(daten.get(), Qt::MoveAction, 0, 0, menu));
    EXPECT_EQ(titel(manager->menu()), QStringList({"B", "A", "M"}));
    EXPECT_FALSE(stack()->canUndo()); // the macro is still open
    ASSERT_TRUE(model->removeRows(0, 2, bar));
    EXPECT_EQ(stack()->count(), vorher + 1);
    EXPECT_EQ(topTitel(), QStringLiteral("Move Bookmarks"));
    EXPECT_TRUE(manager->toolbar()->children().isEmpty());
    stack()->undo();
    EXPECT_EQ(titel(manager->toolbar()), QStringList({"A", "B"}));
    EXPECT_EQ(titel(manager->menu()), QStringList({"M"}));

    // A copy, or a move from elsewhere, is complete at once: the next change is a step of its own.
    for (Qt::DropAction aktion : {Qt::CopyAction, Qt::MoveAction}) {
        QMimeData fremd;
        fremd.setData(QStringLiteral("application/bookmarks.xbel"), bytes);
        QMimeData* quelle = aktion == Qt::CopyAction ? daten.get() : &fremd;
        ASSERT_TRUE(model->dropMimeData(quelle, aktion, -1, 0, menu));
        manager->setTitle(manager->menu()->children().at(0), QStringLiteral("neu"));
        EXPECT_EQ(topTitel(), QStringLiteral("Name Change"));
        EXPECT_EQ(stack()->command(stack()->count() - 2)->text(), QStringLiteral("Move Bookmarks"));
    }
    EXPECT_EQ(titel(manager->menu()), QStringList({"neu", "A", "neu", "A", "M"}));

    // Foreign payloads and places that take no items are refused without a step.
    const int jetzt = stack()->count();
    QMimeData muell;
    muell.setData(QStringLiteral("application/bookmarks.xbel"), QByteArray("\xff\xff\xff\x10garbage", 11));
    EXPECT_FALSE(model->dropMimeData(&muell, Qt::MoveAction, 0, 0, menu));
    EXPECT_FALSE(model->dropMimeData(daten.get(), Qt::MoveAction, 0, 1, menu));
    EXPECT_FALSE(model->dropMimeData(daten.get(), Qt::MoveAction, 0, 0, QModelIndex()));
    EXPECT_FALSE(model->dropMimeData(daten.get(), Qt::MoveAction, 0, 0, model->index(4, 0, menu)));
    EXPECT_EQ(stack()->count(), jetzt);
    EXPECT_TRUE(stack()->canUndo());
}

TEST_F(Lesezeichen, ImportHaengtEinenOrdnerAnUndExportMeldetFehler)
{
    const QString quelle = home.filePath(QStringLiteral("fremd.xbel"));
    schreibeDatei(quelle, "<xbel><bookmark href=\"i\"><title>I</title></bookmark></xbel>");
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "M"));
    antwort = quelle;
    manager->importBookmarks();
    const QString erwartet =
        QStringLiteral("Imported %1").arg(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_EQ(titel(manager->menu()), QStringList({"M", erwartet}));
    EXPECT_EQ(titel(manager->menu()->children().at(1)), QStringList({"I"}));
    EXPECT_EQ(topTitel(), QStringLiteral("Insert Bookmark"));
    stack()->undo();
    EXPECT_EQ(titel(manager->menu()), QStringList({"M"}));

    antwort = home.filePath(QStringLiteral("export.xbel"));
    manager->exportBookmarks();
    EXPECT_EQ(XbelReader().read(antwort)->children().size(), 2);
    antwort = home.filePath(QStringLiteral("fehlt/export.xbel"));
    manager->exportBookmarks();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, QStringLiteral("Export error"));
    EXPECT_EQ(boxen[0].text, QStringLiteral("error saving bookmarks"));
}

TEST_F(Lesezeichen, ZeichenOhneXmlVerhindernKeinSpeichernUndEinFehlschlagWirdEinmalGemeldet)
{
    // A character outside the basic plane stays; a lone half of a surrogate pair goes.
    const QString ausserhalb = QString::fromUcs4(U"\U0001F600");
    const QString titel_mit_steuerzeichen =
        QStringLiteral("A") + QChar(0x1) + QStringLiteral("B") + QChar(0xFFFE) + ausserhalb + QChar(0xD800);
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, titel_mit_steuerzeichen, "http://a.example/"));
    manager->saveIfNecessary();
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "Danach", "http://d.example/"));
    manager->saveIfNecessary();
    manager = std::make_unique<BookmarksManager>();
    EXPECT_EQ(titel(manager->menu()), QStringList({QStringLiteral("AB") + ausserhalb, "Danach"}));
    EXPECT_TRUE(boxen.empty());

    // Something that cannot be replaced stands where the file goes: the user hears of it once.
    const QString datei = BookmarksManager::fileName();
    ASSERT_TRUE(QFile::remove(datei));
    ASSERT_TRUE(QDir().mkpath(datei + QStringLiteral("/drin")));
    for (const char* name : {"E", "F"}) {
        manager->addBookmark(manager->menu(), lesezeichen(nullptr, name));
        manager->saveIfNecessary();
    }
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].symbol, QMessageBox::Warning);
    EXPECT_EQ(boxen[0].titel, QStringLiteral("Saving Bookmarks"));
    EXPECT_TRUE(boxen[0].text.contains(datei)) << qPrintable(boxen[0].text);
    ASSERT_TRUE(QDir(datei).removeRecursively());
}

// What the program stores, it reads back: an import whose folders would lie deeper than the file
// is read is refused at once, with a warning, and a drop too; one that fits is there whole after
// a restart.
TEST_F(Lesezeichen, ZuTiefeOrdnerWerdenAbgewiesenUndAllesGespeicherteLiestSichWieder)
{
    // Folders `ebenen` deep, each with a bookmark beside its subfolder.
    const auto verschachtelt = [](int ebenen) {
        QByteArray xbel = "<xbel version=\"1.0\">";
        for (int i = 1; i <= ebenen; ++i)
            xbel += "<folder><title>O" + QByteArray::number(i) + "</title><bookmark href=\"http://" +
                    QByteArray::number(i) + ".example/\"><title>L" + QByteArray::number(i) + "</title></bookmark>";
        return xbel + QByteArray("</folder>").repeated(ebenen) + "</xbel>";
    };
    // Below the menu folder (level 1) the imported folder takes level 2.
    const QString tief = home.filePath(QStringLiteral("tief.xbel"));
    const QString passt = home.filePath(QStringLiteral("passt.xbel"));
    schreibeDatei(tief, verschachtelt(XbelReader::maxDepth));
    schreibeDatei(passt, verschachtelt(XbelReader::maxDepth - 2));
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "M"));
    manager->saveIfNecessary();
    const QByteArray vorher = leseDatei(BookmarksManager::fileName());

    antwort = tief;
    const int schritte = stack()->count();
    manager->importBookmarks();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].symbol, QMessageBox::Warning);
    EXPECT_EQ(boxen[0].titel, QStringLiteral("Adding Bookmarks"));
    EXPECT_EQ(titel(manager->menu()), QStringList({"M"}));
    EXPECT_EQ(stack()->count(), schritte);
    manager->saveIfNecessary();
    EXPECT_EQ(leseDatei(BookmarksManager::fileName()), vorher);

    boxen.clear();
    antwort = passt;
    manager->importBookmarks();
    EXPECT_TRUE(boxen.empty());
    ASSERT_EQ(manager->menu()->children().size(), 2);
    BookmarkNode* tiefster = manager->menu()->children().at(1)->children().at(0);
    while (tiefster->children().size() == 2)
        tiefster = tiefster->children().at(1);

    // Not even one more folder fits into the deepest one, by the model's drop or the manager.
    BookmarksModel* model = manager->bookmarksModel();
    std::unique_ptr<QMimeData> ordner(model->mimeData({model->index(manager->toolbar())}));
    EXPECT_FALSE(model->dropMimeData(ordner.get(), Qt::CopyAction, 0, 0, model->index(tiefster)));
    auto* neu = new BookmarkNode(BookmarkNode::Folder);
    EXPECT_FALSE(manager->addBookmark(tiefster, neu));
    EXPECT_EQ(neu->parent(), nullptr);
    delete neu;
    EXPECT_EQ(boxen.size(), 2u);
    EXPECT_TRUE(manager->addBookmark(tiefster, lesezeichen(nullptr, "Unten")));

    manager = std::make_unique<BookmarksManager>();
    int ebenen = 0;
    int lesezeichen_zahl = 0;
    for (const BookmarkNode* node = manager->menu()->children().at(1); node;) {
        ++ebenen;
        const BookmarkNode* weiter = nullptr;
        for (const BookmarkNode* kind : node->children()) {
            if (kind->type() == BookmarkNode::Folder)
                weiter = kind;
            else
                ++lesezeichen_zahl;
        }
        node = weiter;
    }
    // The imported folder and its 254 levels, each bookmark, and the one added last.
    EXPECT_EQ(ebenen, XbelReader::maxDepth - 1);
    EXPECT_EQ(lesezeichen_zahl, XbelReader::maxDepth - 2 + 1);
    EXPECT_EQ(boxen.size(), 2u);
}

// A file damaged by another program (one Latin-1 byte in a UTF-8 title) reads as nothing: before
// the first save replaces it, the file is kept whole under a name that says so, and the warning
// names it.
TEST_F(Lesezeichen, BeschaedigteDateiWirdVorDemSpeichernBeiseiteGelegtUndGenannt)
{
    QByteArray xbel = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE xbel>\n<xbel version=\"1.0\">\n"
                      "<folder><title>Bookmarks Menu</title>\n";
    for (int i = 0; i < 61; ++i) {
        xbel += "<bookmark href=\"http://seite" + QByteArray::number(i) + ".example/\"><title>Seite "
                + QByteArray::number(i) + (i == 30 ? " Gr\xFC\xDF" "e" : "") + "</title></bookmark>\n";
    }
    xbel += "</folder>\n</xbel>\n";
    schreibeDatei(BookmarksManager::fileName(), xbel);
    const QString beiseite = BookmarksManager::fileName() + QStringLiteral(".beschaedigt");

    manager->bookmarks();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, QStringLiteral("Loading Bookmark"));
    EXPECT_TRUE(boxen[0].text.contains(beiseite)) << qPrintable(boxen[0].text);
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "Neu", "http://neu.example/"));
    manager->saveIfNecessary();

    EXPECT_EQ(leseDatei(beiseite), xbel);
    EXPECT_TRUE(leseDatei(BookmarksManager::fileName()).contains("http://neu.example/"));
    EXPECT_EQ(boxen.size(), 1u);
}

// Two browsers on one profile each add a bookmark, and one removes one the other had: the file
// keeps every change, whichever saves last.
TEST_F(Lesezeichen, ZweiProzesseBehaltenJederDieAenderungenDesAnderen)
{
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "Alt", "http://alt.example/"));
    manager->addBookmark(manager->toolbar(), lesezeichen(nullptr, "Leiste", "http://leiste.example/"));
    manager->saveIfNecessary();

    BookmarksManager zweiter;
    ASSERT_EQ(titel(zweiter.menu()), QStringList({"Alt"}));
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "Vom ersten", "http://eins.example/"));
    auto* ordner = new BookmarkNode(BookmarkNode::Folder);
    ordner->title = QStringLiteral("Ordner");
    lesezeichen(ordner, "Darin", "http://darin.example/");
    manager->addBookmark(manager->menu(), ordner);
    manager->saveIfNecessary();
    zweiter.addBookmark(zweiter.menu(), lesezeichen(nullptr, "Vom zweiten", "http://zwei.example/"));
    zweiter.removeBookmark(zweiter.toolbar()->children().first());
    zweiter.saveIfNecessary();
    // The first sees the second's change at its next save.
    manager->addBookmark(manager->toolbar(), lesezeichen(nullptr, "Noch einer", "http://noch.example/"));
    manager->saveIfNecessary();

    BookmarksManager danach;
    EXPECT_EQ(titel(danach.menu()), QStringList({"Alt", "Vom ersten", "Ordner", "Vom zweiten"}));
    EXPECT_EQ(titel(danach.menu()->children().at(2)), QStringList({"Darin"}));
    EXPECT_EQ(titel(danach.toolbar()), QStringList({"Noch einer"}));
    EXPECT_EQ(titel(manager->toolbar()), QStringList({"Noch einer"}));
    EXPECT_TRUE(boxen.empty());
}

// Two browsers start on a new profile (no file) and each adds a bookmark: one pair of top folders holds both.
TEST_F(Lesezeichen, ZweiErsteStartsBehaltenBeideLesezeichenInEinemPaarOberordner)
{
    BookmarksManager zweiter;
    manager->bookmarks(), zweiter.bookmarks();
    manager->addBookmark(manager->menu(), lesezeichen(nullptr, "Vom ersten", "http://eins.example/"));
    manager->saveIfNecessary();
    zweiter.addBookmark(zweiter.toolbar(), lesezeichen(nullptr, "Vom zweiten", "http://zwei.example/"));
    zweiter.saveIfNecessary();
    EXPECT_EQ(titel(zweiter.bookmarks()), QStringList({"Bookmarks Bar", "Bookmarks Menu"}));
    BookmarksManager danach;
    EXPECT_EQ(titel(danach.menu()) + titel(danach.toolbar()), QStringList({"Vom ersten", "Vom zweiten"}));
}
