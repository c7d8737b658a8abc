#pragma once

#include "store/store.h"

#include <QHash>
#include <QString>

class ImageList;
class QTreeWidget;
class QTreeWidgetItem;

// The library tree on the main window. A node carries a key (the caption of its row, or
// RootKey), a text and an image key; captions are unique, so keys find nodes. Keys compare
// as the library compares captions: without case for ASCII letters, exactly for all others.
class FormulaTree
{
public:
    static inline const QString RootKey = QStringLiteral("gongshi");

    FormulaTree(QTreeWidget& view, const ImageList& images);

    // Empties the tree and adds the root alone.
    void reset(const QString& rootText);
    // Catalogs first, in creation order, then formulas, so that every parent exists in time.
    void load(const Rows& catalogConstructRows);

    QTreeWidgetItem* root() const { return root_; }
    QTreeWidgetItem* find(const QString& key) const;
    // parentKey is a caption, or RootKey.
    QTreeWidgetItem* add(const QString& parentKey, const QString& key, const QString& imageKey);
    void rename(QTreeWidgetItem* node, const QString& newKey);
    void remove(QTreeWidgetItem* node);

    static QString key(const QTreeWidgetItem* node);
    static QString imageKey(const QTreeWidgetItem* node);
    bool isRoot(const QTreeWidgetItem* node) const { return node && node == root_; }
    static bool isFolder(const QTreeWidgetItem* node);

private:
    void forget(const QTreeWidgetItem* node);
    static QString lookupKey(const QString& key);

    QTreeWidget& view_;
    const ImageList& images_;
    QTreeWidgetItem* root_ = nullptr;
    QHash<QString, QTreeWidgetItem*> nodes_;
};
