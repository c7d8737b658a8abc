#pragma once

#include "mainwindow/librarytree.h"
#include "store/itemname.h"

#include <QHash>
#include <QString>

class ImageList;
class QTreeWidget;
class QTreeWidgetItem;

// The library tree on the main window. A node carries a key (the caption of its row, or
// ItemName::RootKey), a text and an image key; captions are unique, so keys find nodes. Keys compare
// as the library compares captions: without case for ASCII letters, exactly for all others.
// Changes made here never count as the user moving to a node: the view's signals are quiet
// while they happen.
class FormulaTree
{
public:

    FormulaTree(QTreeWidget& view, const ImageList& images);

    // Empties the tree and adds the root alone.
    void reset(const QString& rootText);
    // The whole library, under the root.
    void load(const LibraryTree& library);

    QTreeWidgetItem* root() const { return root_; }
    QTreeWidgetItem* find(const QString& key) const;
    // parentKey is a caption, or ItemName::RootKey.
    QTreeWidgetItem* add(const QString& parentKey, const QString& key, const QString& imageKey);
    void rename(QTreeWidgetItem* node, const QString& newKey);
    void remove(QTreeWidgetItem* node);
    // No node is current or selected afterwards.
    void unselect();
    // Makes node current and scrolls to it, without the view telling anyone.
    void selectQuietly(QTreeWidgetItem* node);

    static QString key(const QTreeWidgetItem* node);
    static QString imageKey(const QTreeWidgetItem* node);
    bool isRoot(const QTreeWidgetItem* node) const { return node && node == root_; }
    static bool isFolder(const QTreeWidgetItem* node);

private:
    void addChildren(const LibraryTree& library, const LibraryTree::Node& node, QTreeWidgetItem* item);
    QTreeWidgetItem* createNode(QTreeWidgetItem* parent, const QString& key, const QString& imageKey);
    void forget(const QTreeWidgetItem* node);
    static QString lookupKey(const QString& key);

    QTreeWidget& view_;
    const ImageList& images_;
    QTreeWidgetItem* root_ = nullptr;
    QHash<QString, QTreeWidgetItem*> nodes_;
};
