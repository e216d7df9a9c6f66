#include "ChartTreeModel.h"

#include <algorithm>

namespace orv::browser {

ChartTreeModel::ChartTreeModel(QObject *parent) : QAbstractItemModel(parent) {}

ChartTreeModel::~ChartTreeModel() = default;

void ChartTreeModel::setImage(const QString &imageKey, const QVariant &picture)
{
    m_pictures.insert(imageKey, picture);
}

void ChartTreeModel::clear()
{
    beginResetModel();
    m_nodes.clear();
    m_topLevel.clear();
    m_byKey.clear();
    endResetModel();
}

std::vector<int> ChartTreeModel::addChildren(int parent, const std::vector<NewNode> &nodes)
{
    std::vector<int> added(nodes.size(), kNoNode);
    if (parent != kNoNode && !at(parent))
        return added;
    // Keys already in the tree, and repeated keys of the batch, stay out.
    std::vector<std::size_t> fresh;
    QHash<QString, int> batchKeys;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!m_byKey.contains(nodes[i].key) && !batchKeys.contains(nodes[i].key)) {
            batchKeys.insert(nodes[i].key, 0);
            fresh.push_back(i);
        }
    }
    if (fresh.empty())
        return added;
    const int first = static_cast<int>(childrenOf(parent).size());
    beginInsertRows(indexOf(parent), first, first + static_cast<int>(fresh.size()) - 1);
    // Room for the batch at once, so that the parent's children stay where they are meanwhile.
    if (m_nodes.capacity() < m_nodes.size() + fresh.size())
        m_nodes.reserve(std::max(m_nodes.size() + fresh.size(), 2 * m_nodes.capacity()));
    for (const std::size_t i : fresh) {
        const int node = static_cast<int>(m_nodes.size()) + 1;
        std::vector<int> &siblings = parent == kNoNode ? m_topLevel : at(parent)->children;
        m_nodes.push_back(Node{nodes[i].key,
                               nodes[i].text,
                               nodes[i].image,
                               nodes[i].tag,
                               parent,
                               static_cast<int>(siblings.size()),
                               {}});
        siblings.push_back(node);
        m_byKey.insert(nodes[i].key, node);
        added[i] = node;
    }
    endInsertRows();
    return added;
}

int ChartTreeModel::add(int parent, const QString &key, const QString &text, const QString &image)
{
    return addChildren(parent, {NewNode{key, text, image, Variant()}}).front();
}

int ChartTreeModel::find(const QString &key) const
{
    return m_byKey.value(key, kNoNode);
}

int ChartTreeModel::nodeCount() const
{
    return static_cast<int>(m_nodes.size());
}

const ChartTreeModel::Node *ChartTreeModel::at(int node) const
{
    return node >= 1 && node <= nodeCount() ? &m_nodes[static_cast<std::size_t>(node - 1)] : nullptr;
}

ChartTreeModel::Node *ChartTreeModel::at(int node)
{
    return node >= 1 && node <= nodeCount() ? &m_nodes[static_cast<std::size_t>(node - 1)] : nullptr;
}

const std::vector<int> &ChartTreeModel::childrenOf(int node) const
{
    static const std::vector<int> none;
    if (node == kNoNode)
        return m_topLevel;
    const Node *n = at(node);
    return n ? n->children : none;
}

QString ChartTreeModel::key(int node) const
{
    const Node *n = at(node);
    return n ? n->key : QString();
}

QString ChartTreeModel::text(int node) const
{
    const Node *n = at(node);
    return n ? n->text : QString();
}

QString ChartTreeModel::image(int node) const
{
    const Node *n = at(node);
    return n ? n->image : QString();
}

Variant ChartTreeModel::tag(int node) const
{
    const Node *n = at(node);
    return n ? n->tag : Variant();
}

void ChartTreeModel::setTag(int node, const Variant &tag)
{
    if (Node *n = at(node)) {
        n->tag = tag;
        const QModelIndex index = indexOf(node);
        Q_EMIT dataChanged(index, index, {TagRole});
    }
}

int ChartTreeModel::parentNode(int node) const
{
    const Node *n = at(node);
    return n ? n->parent : kNoNode;
}

int ChartTreeModel::childCount(int node) const
{
    return node == kNoNode ? 0 : static_cast<int>(childrenOf(node).size());
}

int ChartTreeModel::child(int node, int position) const
{
    const std::vector<int> &children = childrenOf(node);
    return position >= 0 && position < static_cast<int>(children.size())
               ? children[static_cast<std::size_t>(position)]
               : kNoNode;
}

QModelIndex ChartTreeModel::indexOf(int node) const
{
    const Node *n = at(node);
    return n ? createIndex(n->row, 0, quintptr(node)) : QModelIndex();
}

int ChartTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this ? static_cast<int>(index.internalId()) : kNoNode;
}

QModelIndex ChartTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const int node = child(parent.isValid() ? nodeOf(parent) : kNoNode, row);
    return node == kNoNode ? QModelIndex() : createIndex(row, 0, quintptr(node));
}

QModelIndex ChartTreeModel::parent(const QModelIndex &child) const
{
    return indexOf(parentNode(nodeOf(child)));
}

int ChartTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return static_cast<int>(childrenOf(parent.isValid() ? nodeOf(parent) : kNoNode).size());
}

int ChartTreeModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() && parent.column() != 0 ? 0 : 1;
}

bool ChartTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant ChartTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *n = at(nodeOf(index));
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return n->text;
    case Qt::DecorationRole:
        return m_pictures.value(n->image);
    case KeyRole:
        return n->key;
    case TagRole:
        return n->tag.isEmpty() ? QVariant() : QVariant(n->tag.toText());
    case ImageKeyRole:
        return n->image;
    case NodeIndexRole:
        return nodeOf(index);
    default:
        return {};
    }
}

Qt::ItemFlags ChartTreeModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace orv::browser

#include "moc_ChartTreeModel.cpp"
