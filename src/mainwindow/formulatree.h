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
//
// A catalog's nodes are made when it is first expanded or looked for: a library of thousands of
// formulas starts with little more than its top level made. Until then the catalog shows that
// it has children, and hasChildren() tells so too.
class FormulaTree
{
public:

    FormulaTree(QTreeWidget& view, const ImageList& images);

    // Empties the tree and adds the root alone.
    void reset(const QString& rootText);
    // The whole library, under the root.
    void load(LibraryTree library);

    QTreeWidgetItem* root() const { return root_; }
    // The node selected, which every command of the tree works on; nullptr when none is.
    QTreeWidgetItem* current() const;
    // The node of key, with its children made; nullptr when there is none.
    QTreeWidgetItem* find(const QString& key);
    // The same, its children left as they are: for showing the node alone.
    QTreeWidgetItem* made(const QString& key);
    bool hasChildren(const QTreeWidgetItem* node) const;
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
    // Makes the children of node, when they are still to be made.
    void populate(QTreeWidgetItem* node);
    // The node of the library's node index, made with its ancestors' children where needed.
    QTreeWidgetItem* materialize(int index);
    // A node under parent, or one to be added by the caller when parent is null.
    QTreeWidgetItem* createNode(QTreeWidgetItem* parent, const QString& key, const QString& imageKey, int index = -1);
    void forget(const QTreeWidgetItem* node);
    void forgetUnmade(int index);
    // The library's node of key when it is still to be made, or -1.
    int unmadeIndex(const QString& key) const;
    static QString lookupKey(const QString& key);

    QTreeWidget& view_;
    const ImageList& images_;
    QTreeWidgetItem* root_ = nullptr;
    QHash<QString, QTreeWidgetItem*> nodes_; // the nodes made, by lookupKey
    // What the view was loaded with, and how far it is made: by the library's node index, its
    // node once made, and whether it was removed (made or not); the catalogs whose children are
    // still to be made.
    LibraryTree library_;
    std::vector<QTreeWidgetItem*> made_;
    std::vector<bool> removed_;
    QHash<const QTreeWidgetItem*, int> unpopulated_;
};
