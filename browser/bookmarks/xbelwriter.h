// Writes a bookmark tree as an XBEL 1.0 document: LF line ends, four spaces per level. Characters
// that XML 1.0 cannot carry (control characters but tab, line feed and carriage return, U+FFFE,
// U+FFFF, halves of surrogate pairs) are left out of titles, descriptions and addresses.
#pragma once

#include <QXmlStreamWriter>

class BookmarkNode;
class QIODevice;

class XbelWriter : public QXmlStreamWriter
{
public:
    XbelWriter();

    // Replaces the file only once the whole document is written and flushed: false for a null
    // node or when the file cannot be written (the cause goes to the log), and the old file then
    // stays byte for byte. `privat`: a new file is readable by its user alone (the browser's own
    // store, not an export).
    bool write(const QString& fileName, const BookmarkNode* root, bool privat = false);
    // A root's children become the top items, any other node the only one. False when the
    // device refused the data.
    bool write(QIODevice* device, const BookmarkNode* root);
    // `text` as the document carries it: without the characters XML 1.0 cannot carry.
    static QString xmlTauglich(const QString& text);

private:
    void writeItem(const BookmarkNode* parent);
    // Characters that XML 1.0 cannot carry are left out, so that the document always reads back.
    void writeText(const QString& name, const QString& text);
};
