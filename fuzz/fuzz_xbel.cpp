// Fuzz target: the XBEL reader; what it reads must write and read back alike.
#include "bookmarknode.h"
#include "xbelreader.h"
#include "xbelwriter.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

std::unique_ptr<BookmarkNode> lies(QByteArray daten, bool* fehler)
{
    QBuffer buffer(&daten);
    buffer.open(QBuffer::ReadOnly);
    XbelReader reader;
    std::unique_ptr<BookmarkNode> root = reader.read(&buffer);
    *fehler = reader.error() != QXmlStreamReader::NoError;
    return root;
}

// Same shape and texts; folder descriptions are not written.
bool gleich(const BookmarkNode* a, const BookmarkNode* b)
{
    if (a->type() != b->type() || a->title != b->title || a->url != b->url || a->expanded != b->expanded
        || (a->type() == BookmarkNode::Bookmark && a->desc != b->desc))
        return false;
    const QList<BookmarkNode*> ka = a->children(), kb = b->children();
    if (ka.size() != kb.size())
        return false;
    for (int i = 0; i < ka.size(); ++i)
        if (!gleich(ka.at(i), kb.at(i)))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    bool fehler = false;
    const auto root =
        lies(QByteArray(reinterpret_cast<const char*>(daten), static_cast<int>(groesse)), &fehler);
    QByteArray geschrieben;
    QBuffer buffer(&geschrieben);
    buffer.open(QBuffer::WriteOnly);
    if (!XbelWriter().write(&buffer, root.get()))
        std::abort();
    bool zweiterFehler = false;
    const auto zurueck = lies(geschrieben, &zweiterFehler);
    if (zweiterFehler || !gleich(root.get(), zurueck.get()))
        std::abort();
    return 0;
}
