#include "xbelwriter.h"
#include "bookmarknode.h"

#include <QSaveFile>

XbelWriter::XbelWriter()
{
    setAutoFormatting(true);
}

bool XbelWriter::write(const QString& fileName, const BookmarkNode* root)
{
    if (!root)
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return write(&file, root) && file.commit();
}

bool XbelWriter::write(QIODevice* device, const BookmarkNode* root)
{
    setDevice(device);
    writeStartDocument();
    writeDTD(QStringLiteral("<!DOCTYPE xbel>"));
    writeStartElement(QStringLiteral("xbel"));
    writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    if (root->type() == BookmarkNode::Root) {
        for (const BookmarkNode* child : root->children())
            writeItem(child);
    } else {
        writeItem(root);
    }
    writeEndDocument();
    return !hasError();
}

void XbelWriter::writeItem(const BookmarkNode* parent)
{
    switch (parent->type()) {
    case BookmarkNode::Folder:
        writeStartElement(QStringLiteral("folder"));
        writeAttribute(QStringLiteral("folded"), parent->expanded ? QStringLiteral("no") : QStringLiteral("yes"));
        writeTextElement(QStringLiteral("title"), parent->title);
        for (const BookmarkNode* child : parent->children())
            writeItem(child);
        writeEndElement();
        break;
    case BookmarkNode::Bookmark:
        writeStartElement(QStringLiteral("bookmark"));
        if (!parent->url.isEmpty())
            writeAttribute(QStringLiteral("href"), parent->url);
        writeTextElement(QStringLiteral("title"), parent->title);
        if (!parent->desc.isEmpty())
            writeTextElement(QStringLiteral("desc"), parent->desc);
        writeEndElement();
        break;
    case BookmarkNode::Separator:
        writeEmptyElement(QStringLiteral("separator"));
        break;
    case BookmarkNode::Root:
        break;
    }
}
