#include "xbelreader.h"
#include "dateien.h"

#include <QFile>
#include <QObject>

#include <algorithm>

namespace {

// The folder levels a node brings along: 0 for a bookmark or a separator, 1 for a folder without
// folders in it. A root below the top is not written, nor anything in it.
int folderLevels(const BookmarkNode* node)
{
    if (node->type() != BookmarkNode::Folder)
        return 0;
    int tiefste = 0;
    for (const BookmarkNode* child : node->children())
        tiefste = std::max(tiefste, folderLevels(child));
    return tiefste + 1;
}

} // namespace

bool XbelReader::fitsIn(const BookmarkNode* parent, const BookmarkNode* node)
{
    // The writer puts the root's children at the top, at level 1.
    int ebene = 0;
    for (const BookmarkNode* ordner = parent; ordner; ordner = ordner->parent())
        if (ordner->type() == BookmarkNode::Folder)
            ++ebene;
    return ebene + folderLevels(node) <= maxDepth;
}

std::unique_ptr<BookmarkNode> XbelReader::read(const QString& fileName)
{
    QFile file(fileName);
    if (!file.exists())
        return std::make_unique<BookmarkNode>(BookmarkNode::Root);
    // A pipe of the name is not waited for: the reader then finds no document.
    oeffne_regulaere_datei(file, QFile::ReadOnly);
    return read(&file);
}

std::unique_ptr<BookmarkNode> XbelReader::read(QIODevice* device)
{
    auto root = std::make_unique<BookmarkNode>(BookmarkNode::Root);
    setDevice(device);
    if (!readNextStartElement())
        return root;
    const QStringRef version = attributes().value(QLatin1String("version"));
    if (name() == QLatin1String("xbel") && (version.isEmpty() || version == QLatin1String("1.0")))
        readXBEL(root.get());
    else
        raiseError(QObject::tr("The file is not an XBEL version 1.0 file."));
    return root;
}

void XbelReader::readXBEL(BookmarkNode* parent)
{
    while (readNextStartElement())
        readItem(parent, 1);
}

// One child element of "xbel" or of a folder.
void XbelReader::readItem(BookmarkNode* parent, int depth)
{
    if (name() == QLatin1String("folder")) {
        readFolder(parent, depth);
    } else if (name() == QLatin1String("bookmark")) {
        readBookmarkNode(parent);
    } else if (name() == QLatin1String("separator")) {
        new BookmarkNode(BookmarkNode::Separator, parent);
        // Whatever a separator holds goes with it, so that its end is not taken for the folder's.
        skipCurrentElement();
    } else {
        skipCurrentElement();
    }
}

void XbelReader::readFolder(BookmarkNode* parent, int depth)
{
    if (depth > maxDepth) {
        raiseError(QObject::tr("The bookmark folders are nested too deeply."));
        return;
    }
    auto* folder = new BookmarkNode(BookmarkNode::Folder, parent);
    folder->expanded = attributes().value(QLatin1String("folded")) == QLatin1String("no");
    while (readNextStartElement())
        if (!readText(folder))
            readItem(folder, depth + 1);
}

void XbelReader::readBookmarkNode(BookmarkNode* parent)
{
    auto* bookmark = new BookmarkNode(BookmarkNode::Bookmark, parent);
    bookmark->url = attributes().value(QLatin1String("href")).toString();
    while (readNextStartElement())
        if (!readText(bookmark))
            skipCurrentElement();
    if (bookmark->title.isEmpty())
        bookmark->title = QObject::tr("Unknown title");
}

bool XbelReader::readText(BookmarkNode* node)
{
    if (name() == QLatin1String("title"))
        node->title = readElementText();
    else if (name() == QLatin1String("desc"))
        node->desc = readElementText();
    else
        return false;
    return true;
}
