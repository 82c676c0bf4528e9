#include "bookmarksmodel.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"
#include "browserapplication.h"
#include "xbelreader.h"
#include "xbelwriter.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QMimeData>
#include <QStyle>
#include <QUrl>
#include <memory>
#include <vector>

namespace {

const QString bookmarkFormat = QStringLiteral("application/bookmarks.xbel");
// Names the model whose rows a payload carries, so that a drop knows a move of its own rows.
const char* const quellModell = "bookmarksModel";

} // namespace

BookmarksModel::BookmarksModel(BookmarksManager* bookmarkManager, QObject* parent)
    : QAbstractItemModel(parent), m_bookmarksManager(bookmarkManager)
{
    connect(bookmarkManager, &BookmarksManager::entryAdded, this, &BookmarksModel::entryAdded);
    connect(bookmarkManager, &BookmarksManager::entryRemoved, this, &BookmarksModel::entryRemoved);
    connect(bookmarkManager, &BookmarksManager::entryChanged, this, &BookmarksModel::entryChanged);
}

void BookmarksModel::entryAdded(BookmarkNode* item)
{
    // The views learn of a row that is not there yet: take it out for the announcement.
    BookmarkNode* parent = item->parent();
    const int row = parent->children().indexOf(item);
    parent->remove(item);
    beginInsertRows(index(parent), row, row);
    parent->add(item, row);
    endInsertRows();
}

void BookmarksModel::entryRemoved(BookmarkNode* parent, int row, BookmarkNode* item)
{
    // The node is out already: put it back for the announcement of its removal.
    parent->add(item, row);
    const int zeile = parent->children().indexOf(item);
    beginRemoveRows(index(parent), zeile, zeile);
    parent->remove(item);
    endRemoveRows();
}

void BookmarksModel::entryChanged(BookmarkNode* item)
{
    const QModelIndex links = index(item);
    emit dataChanged(links, links.sibling(links.row(), 1));
}

QModelIndex BookmarksModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || row >= rowCount(parent) || column >= columnCount(parent))
        return QModelIndex();
    return createIndex(row, column, node(parent)->children().at(row));
}

QModelIndex BookmarksModel::index(BookmarkNode* item) const
{
    BookmarkNode* parent = item ? item->parent() : nullptr;
    if (!parent)
        return QModelIndex();
    return createIndex(parent->children().indexOf(item), 0, item);
}

QModelIndex BookmarksModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return QModelIndex();
    BookmarkNode* parent = node(index)->parent();
    if (!parent || parent == m_bookmarksManager->bookmarks())
        return QModelIndex();
    return this->index(parent);
}

int BookmarksModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return node(parent)->children().size();
}

int BookmarksModel::columnCount(const QModelIndex& parent) const
{
    return parent.column() > 0 ? 0 : 2;
}

bool BookmarksModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return true;
    return node(parent)->type() == BookmarkNode::Folder;
}

BookmarkNode* BookmarksModel::node(const QModelIndex& index) const
{
    auto* item = static_cast<BookmarkNode*>(index.internalPointer());
    return item ? item : m_bookmarksManager->bookmarks();
}

QVariant BookmarksModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return QVariant();
    const BookmarkNode* item = node(index);
    switch (role) {
    case Qt::EditRole:
    case Qt::DisplayRole:
        if (item->type() == BookmarkNode::Separator)
            return index.column() == 0 ? QString(50, QChar(0xB7)) : QString();
        return index.column() == 0 ? item->title : item->url;
    case Qt::DecorationRole:
        if (index.column() != 0)
            return QVariant();
        if (item->type() == BookmarkNode::Folder)
            return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        return BrowserApplication::icon(QUrl(item->url));
    case TypeRole:
        return int(item->type());
    case UrlRole:
        return QUrl(item->url);
    case UrlStringRole:
        return item->url;
    case SeparatorRole:
        return item->type() == BookmarkNode::Separator;
    default:
        return QVariant();
    }
}

bool BookmarksModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    BookmarkNode* item = node(index);
    switch (role) {
    case UrlRole:
        m_bookmarksManager->setUrl(item, value.toUrl().toString());
        return true;
    case UrlStringRole:
        m_bookmarksManager->setUrl(item, value.toString());
        return true;
    case Qt::EditRole:
    case Qt::DisplayRole:
        if (index.column() == 0)
            m_bookmarksManager->setTitle(item, value.toString());
        else if (index.column() == 1)
            m_bookmarksManager->setUrl(item, value.toString());
        else
            return false;
        return true;
    default:
        return true;
    }
}

QVariant BookmarksModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == 0)
            return tr("Title");
        if (section == 1)
            return tr("Address");
    }
    return QAbstractItemModel::headerData(section, orientation, role);
}

Qt::ItemFlags BookmarksModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const BookmarkNode* item = node(index);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (item != m_bookmarksManager->menu() && item != m_bookmarksManager->toolbar()) {
        flags |= Qt::ItemIsDragEnabled;
        if (item->type() != BookmarkNode::Separator)
            flags |= Qt::ItemIsEditable;
    }
    if (hasChildren(index))
        flags |= Qt::ItemIsDropEnabled;
    return flags;
}

Qt::DropActions BookmarksModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

bool BookmarksModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (row < 0 || count <= 0 || row + count > rowCount(parent))
        return false;
    BookmarkNode* folder = node(parent);
    for (int i = row + count - 1; i >= row; --i) {
        BookmarkNode* item = folder->children().at(i);
        if (item == m_bookmarksManager->menu() || item == m_bookmarksManager->toolbar())
            continue;
        m_bookmarksManager->removeBookmark(item);
    }
    if (m_endMacro) {
        m_bookmarksManager->undoRedoStack()->endMacro();
        m_endMacro = false;
    }
    return true;
}

QStringList BookmarksModel::mimeTypes() const
{
    return {bookmarkFormat};
}

QMimeData* BookmarksModel::mimeData(const QModelIndexList& indexes) const
{
    auto* mimeData = new QMimeData;
    QByteArray daten;
    QDataStream stream(&daten, QIODevice::WriteOnly);
    for (const QModelIndex& index : indexes) {
        if (index.column() != 0 || !index.isValid() || index.model() != this)
            continue;
        QByteArray dokument;
        QBuffer buffer(&dokument);
        buffer.open(QBuffer::WriteOnly);
        XbelWriter writer;
        writer.write(&buffer, node(index));
        stream << dokument;
    }
    mimeData->setData(bookmarkFormat, daten);
    mimeData->setProperty(quellModell, QVariant::fromValue(static_cast<QObject*>(const_cast<BookmarksModel*>(this))));
    return mimeData;
}

bool BookmarksModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                  const QModelIndex& parent)
{
    if (action == Qt::IgnoreAction)
        return true;
    // Only folders take items; below the root only the two top folders live, and anything
    // else there would vanish at the next start.
    if (!data || !data->hasFormat(bookmarkFormat) || column > 0 || !parent.isValid()
        || node(parent)->type() != BookmarkNode::Folder)
        return false;
    QByteArray daten = data->data(bookmarkFormat);
    std::vector<std::unique_ptr<BookmarkNode>> neu;
    QDataStream stream(&daten, QIODevice::ReadOnly);
    while (!stream.atEnd()) {
        QByteArray dokument;
        stream >> dokument;
        if (stream.status() != QDataStream::Ok)
            break;
        QBuffer buffer(&dokument);
        buffer.open(QBuffer::ReadOnly);
        XbelReader reader;
        const std::unique_ptr<BookmarkNode> root = reader.read(&buffer);
        for (BookmarkNode* item : root->children()) {
            root->remove(item);
            neu.emplace_back(item);
        }
    }
    if (neu.empty())
        return false;
    // Refused before anything moves: a move whose drop failed in part would still remove its
    // source rows.
    BookmarkNode* ziel = node(parent);
    for (const auto& item : neu)
        if (!m_bookmarksManager->canHold(ziel, item.get()))
            return false;

    QUndoStack* stack = m_bookmarksManager->undoRedoStack();
    // A move whose source rows were never removed must not swallow this drop.
    if (m_endMacro) {
        stack->endMacro();
        m_endMacro = false;
    }
    stack->beginMacro(QStringLiteral("Move Bookmarks"));
    for (auto& item : neu)
        m_bookmarksManager->addBookmark(ziel, item.release(), qMax(0, row));
    // Only a view moving this model's own rows removes its source rows afterwards and so closes
    // the macro; after a copy, or a drop from elsewhere, nothing would.
    m_endMacro = action == Qt::MoveAction && data->property(quellModell).value<QObject*>() == this;
    if (!m_endMacro)
        stack->endMacro();
    return true;
}
