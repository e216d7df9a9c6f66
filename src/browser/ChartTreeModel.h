#pragma once

#include "data/Variant.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace orv::browser {

// The nodes of the chart tree: each has a unique key, a text, an image key and a free tag, and
// nodes are only ever added (or all cleared). A node is named by its index, a number from 1 in
// the order of creation (0: none), which stays valid until clear().
//
// The model links QtCore only: the pictures are whatever values the owner gives for each image
// key (a QIcon from the widgets), returned as the decoration.
class ChartTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role { KeyRole = Qt::UserRole + 1, TagRole, ImageKeyRole, NodeIndexRole };
    static constexpr int kNoNode = 0;

    struct NewNode {
        QString key;
        QString text;
        QString image;
        Variant tag;
    };

    explicit ChartTreeModel(QObject *parent = nullptr);
    ~ChartTreeModel() override;

    void setImage(const QString &imageKey, const QVariant &picture);

    void clear();
    // Adds the nodes as the last children of parent (kNoNode: at the top) with one notice to the
    // views. A key already in the tree is not added again; its place in the result is kNoNode.
    std::vector<int> addChildren(int parent, const std::vector<NewNode> &nodes);
    int add(int parent, const QString &key, const QString &text, const QString &image);

    int find(const QString &key) const; // kNoNode when the tree has no such key
    int nodeCount() const;
    QString key(int node) const;
    QString text(int node) const;
    QString image(int node) const;
    Variant tag(int node) const;
    void setTag(int node, const Variant &tag);
    int parentNode(int node) const; // kNoNode at the top
    int childCount(int node) const;
    int child(int node, int position) const;

    QModelIndex indexOf(int node) const;
    int nodeOf(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Node {
        QString key;
        QString text;
        QString image;
        Variant tag;
        int parent = kNoNode;
        int row = 0; // place among the parent's children
        std::vector<int> children;
    };

    const Node *at(int node) const;
    Node *at(int node);
    const std::vector<int> &childrenOf(int node) const;

    std::vector<Node> m_nodes;   // node i at i - 1
    std::vector<int> m_topLevel; // the nodes without parent
    QHash<QString, int> m_byKey;
    QHash<QString, QVariant> m_pictures;
};

} // namespace orv::browser
