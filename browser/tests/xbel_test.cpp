// The bookmark tree and its XBEL file: the exact bytes written, what the reader takes, refuses and survives.
#include "bookmarknode.h"
#include "xbelreader.h"
#include "xbelwriter.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

const QByteArray beispiel = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xbel>
<xbel version="1.0">
    <folder folded="no">
        <title>Bookmarks Bar</title>
        <bookmark href="http://a.example/?x=1&amp;y=2">
            <title>A &lt;b&gt; &amp; &quot;c&quot;</title>
            <desc>d</desc>
        </bookmark>
        <separator/>
    </folder>
    <folder folded="yes">
        <title>Bookmarks Menu</title>
    </folder>
</xbel>
)";

QByteArray schreibe(const BookmarkNode* node)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QBuffer::WriteOnly);
    XbelWriter writer;
    EXPECT_TRUE(writer.write(&buffer, node));
    return bytes;
}

struct Gelesen
{
    std::unique_ptr<BookmarkNode> root;
    QString fehler;
};

Gelesen lies(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QBuffer::ReadOnly);
    XbelReader reader;
    Gelesen ergebnis{reader.read(&buffer), QString()};
    if (reader.error() != QXmlStreamReader::NoError)
        ergebnis.fehler = reader.errorString();
    return ergebnis;
}

QByteArray xbel(const QByteArray& inhalt)
{
    return "<?xml version=\"1.0\"?>\n<xbel version=\"1.0\">" + inhalt + "</xbel>";
}

} // namespace

TEST(Xbel, SchreibtDenBaumByteGenauUndLiestIhnGleichZurueck)
{
    BookmarkNode root;
    auto* bar = new BookmarkNode(BookmarkNode::Folder, &root);
    bar->title = QStringLiteral("Bookmarks Bar");
    bar->expanded = true;
    bar->desc = QStringLiteral("wird nicht geschrieben");
    auto* a = new BookmarkNode(BookmarkNode::Bookmark, bar);
    a->url = QStringLiteral("http://a.example/?x=1&y=2");
    a->title = QStringLiteral("A <b> & \"c\"");
    a->desc = QStringLiteral("d");
    new BookmarkNode(BookmarkNode::Separator, bar);
    (new BookmarkNode(BookmarkNode::Folder, &root))->title = QStringLiteral("Bookmarks Menu");
    EXPECT_EQ(schreibe(&root), beispiel);

    const Gelesen zurueck = lies(beispiel);
    EXPECT_EQ(zurueck.fehler, QString());
    EXPECT_EQ(schreibe(zurueck.root.get()), beispiel);

}

TEST(Xbel, AndereVersionenUndDokumenteWerdenAbgewiesen)
{
    const QString text = QStringLiteral("The file is not an XBEL version 1.0 file.");
    for (const QByteArray& kopf : {QByteArray("<xbel version=\"1.1\">"), QByteArray("<xbel version=\"1.00\">"),
                                   QByteArray("<html>")}) {
        const Gelesen ergebnis = lies(kopf + "<bookmark href=\"u\"/></" + kopf.mid(1, 4) + ">");
        EXPECT_EQ(ergebnis.fehler, text) << kopf.constData();
        EXPECT_TRUE(ergebnis.root->children().isEmpty());
    }
    const Gelesen ohneVersion = lies("<xbel><bookmark href=\"u\"/></xbel>");
    EXPECT_EQ(ohneVersion.fehler, QString());
    ASSERT_EQ(ohneVersion.root->children().size(), 1);
}

TEST(Xbel, NachsichtigBeiFehlendemUndUnbekanntem)
{
    const Gelesen ergebnis = lies(xbel("<bookmark href=\"u\"/>"
                                       "<folder folded=\"NO\"><bookmark><folder/><title>t</title></bookmark></folder>"
                                       "<folder folded=\"no\"><fremd><bookmark href=\"x\"/></fremd>text</folder>"));
    EXPECT_EQ(ergebnis.fehler, QString());
    const QList<BookmarkNode*> oben = ergebnis.root->children();
    ASSERT_EQ(oben.size(), 3);
    EXPECT_EQ(oben[0]->title, QStringLiteral("Unknown title"));
    EXPECT_EQ(oben[0]->url, QStringLiteral("u"));
    EXPECT_EQ(oben[1]->type(), BookmarkNode::Folder);
    EXPECT_FALSE(oben[1]->expanded);
    EXPECT_EQ(oben[1]->title, QString());
    ASSERT_EQ(oben[1]->children().size(), 1);
    EXPECT_TRUE(oben[1]->children().at(0)->children().isEmpty());
    EXPECT_EQ(oben[1]->children().at(0)->title, QStringLiteral("t"));
    EXPECT_TRUE(oben[2]->expanded);
    EXPECT_TRUE(oben[2]->children().isEmpty());
}

TEST(Xbel, ZuTiefeOrdnerWerdenBisZurGrenzeGelesenUndGemeldet)
{
    const int tiefe = 200000;
    const Gelesen tief = lies(xbel(QByteArray("<folder>").repeated(tiefe) + QByteArray("</folder>").repeated(tiefe)));
    EXPECT_EQ(tief.fehler, QStringLiteral("The bookmark folders are nested too deeply."));
    int ebenen = 0;
    for (const BookmarkNode* node = tief.root.get(); !node->children().isEmpty(); node = node->children().at(0))
        ++ebenen;
    EXPECT_EQ(ebenen, XbelReader::maxDepth);
}
