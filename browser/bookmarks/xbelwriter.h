// Writes a bookmark tree as an XBEL 1.0 document: LF line ends, four spaces per level.
#pragma once

#include <QXmlStreamWriter>

class BookmarkNode;
class QIODevice;

class XbelWriter : public QXmlStreamWriter
{
public:
    XbelWriter();

    // Replaces the file only once the whole document is written: false for a null node or when
    // the file cannot be written, and the old file then stays.
    bool write(const QString& fileName, const BookmarkNode* root);
    // A root's children become the top items, any other node the only one. False when the
    // device refused the data.
    bool write(QIODevice* device, const BookmarkNode* root);

private:
    void writeItem(const BookmarkNode* parent);
    void writeText(const QString& name, const QString& text);
};
