#include "xbelwriter.h"
#include "bookmarknode.h"
#include "dateien.h"
#include "privatdatei.h"

#include <QtDebug>

namespace {

bool in_xml(char32_t zeichen)
{
    return zeichen == 0x9 || zeichen == 0xA || zeichen == 0xD || (zeichen >= 0x20 && zeichen <= 0xD7FF)
           || (zeichen >= 0xE000 && zeichen <= 0xFFFD) || (zeichen >= 0x10000 && zeichen <= 0x10FFFF);
}

} // namespace

// XML 1.0 carries no control character but tab, line feed and carriage return, neither U+FFFE
// nor U+FFFF and no half of a surrogate pair. A reader refuses a document holding one from there
// on, so one such character in a title would cost every bookmark after it: they are left out.
QString XbelWriter::xmlTauglich(const QString& text)
{
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar zeichen = text.at(i);
        if (zeichen.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ergebnis += zeichen;
            ergebnis += text.at(++i);
        } else if (!zeichen.isSurrogate() && in_xml(zeichen.unicode())) {
            ergebnis += zeichen;
        }
    }
    return ergebnis;
}

XbelWriter::XbelWriter()
{
    setAutoFormatting(true);
}

bool XbelWriter::write(const QString& fileName, const BookmarkNode* root, bool privat)
{
    if (!root)
        return false;
    const auto dokument = [this, root](QIODevice& file) { return write(&file, root); };
    const QString fehler = privat ? schreibe_privat_ganz(fileName, dokument) : schreibe_ganz(fileName, dokument);
    if (fehler.isEmpty())
        return true;
    // The callers' messages are fixed; the cause goes to the log.
    qWarning() << "XbelWriter:" << fileName << fehler;
    return false;
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
            writeAttribute(QStringLiteral("href"), xmlTauglich(parent->url));
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

void XbelWriter::writeText(const QString& name, const QString& roh)
{
    const QString text = xmlTauglich(roh);
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
