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
        writeText(QStringLiteral("title"), parent->title);
        for (const BookmarkNode* child : parent->children())
            writeItem(child);
        writeEndElement();
        break;
    case BookmarkNode::Bookmark:
        writeStartElement(QStringLiteral("bookmark"));
        if (!parent->url.isEmpty())
            writeAttribute(QStringLiteral("href"), parent->url);
        writeText(QStringLiteral("title"), parent->title);
        if (!parent->desc.isEmpty())
            writeText(QStringLiteral("desc"), parent->desc);
        writeEndElement();
        break;
    case BookmarkNode::Separator:
        writeEmptyElement(QStringLiteral("separator"));
        break;
    case BookmarkNode::Root:
        break;
    }
}

void XbelWriter::writeText(const QString& name, const QString& text)
{
    if (!text.contains(QLatin1Char('\r'))) {
        writeTextElement(name, text);
        return;
    }
    // A reader turns a carriage return written as it is into a line feed.
    writeStartElement(name);
    const QStringList teile = text.split(QLatin1Char('\r'));
    for (int i = 0; i < teile.size(); ++i) {
        if (i > 0)
            writeEntityReference(QStringLiteral("#13"));
        writeCharacters(teile.at(i));
    }
    writeEndElement();
}
