// Reads an XBEL 1.0 document into a bookmark tree.
#pragma once

#include "bookmarknode.h"

#include <QXmlStreamReader>
#include <memory>

class QIODevice;

// A short-lived reader: the error state of QXmlStreamReader tells after `read` whether the
// document was valid; the tree holds what was read up to an error all the same.
class XbelReader : public QXmlStreamReader
{
public:
    // An empty root without error when the file does not exist.
    std::unique_ptr<BookmarkNode> read(const QString& fileName);
    std::unique_ptr<BookmarkNode> read(QIODevice* device);

    // Folders nested deeper than this are refused: every walk over a tree recurses.
    static constexpr int maxDepth = 256;
    // Whether `node`, put into `parent`, still reads back whole from a file the tree is written
    // to: its folders then lie no deeper than `maxDepth` below the root.
    static bool fitsIn(const BookmarkNode* parent, const BookmarkNode* node);

private:
    void readXBEL(BookmarkNode* parent);
    void readItem(BookmarkNode* parent, int depth);
    void readFolder(BookmarkNode* parent, int depth);
    void readBookmarkNode(BookmarkNode* parent);
    // Takes a "title" or "desc" element into the node; false for any other element.
    bool readText(BookmarkNode* node);
};
