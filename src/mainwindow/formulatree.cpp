#include "mainwindow/formulatree.h"

#include "mainwindow/imagelist.h"
#include "store/sqltext.h"

#include <QSignalBlocker>
#include <QTreeWidget>

namespace {
constexpr int KeyRole = Qt::UserRole;
// A node's kind rides in its item type: one value less to store for each of thousands of nodes.
constexpr int FolderNode = QTreeWidgetItem::UserType;
constexpr int FormulaNode = QTreeWidgetItem::UserType + 1;
} // namespace

FormulaTree::FormulaTree(QTreeWidget& view, const ImageList& images)
    : view_(view)
    , images_(images)
{
}

void FormulaTree::reset(const QString& rootText)
{
    const QSignalBlocker quiet(view_);
    view_.clear();
    nodes_.clear();
    root_ = new QTreeWidgetItem(&view_, QStringList{rootText}, FolderNode);
    root_->setData(0, KeyRole, ItemName::RootKey);
    root_->setIcon(0, images_.icon(ImageList::Folder));
    nodes_.insert(lookupKey(ItemName::RootKey), root_);
    // No node is current until the user picks one; otherwise the view would make the root
    // current, and so show it, as soon as it gets the keyboard.
    view_.setCurrentItem(nullptr);
}

void FormulaTree::load(const LibraryTree& library)
{
    // Built apart from the view and put back whole: the view would otherwise update itself for
    // every one of thousands of nodes.
    const QSignalBlocker quiet(view_);
    view_.takeTopLevelItem(view_.indexOfTopLevelItem(root_));
    addChildren(library, library.root(), root_);
    view_.addTopLevelItem(root_);
}

void FormulaTree::addChildren(const LibraryTree& library, const LibraryTree::Node& node, QTreeWidgetItem* item)
{
    for (const int index : node.children) {
        const LibraryTree::Node& child = library.node(index);
        addChildren(library, child, createNode(item, child.caption, child.catalog ? ImageList::Folder : ImageList::Formula));
    }
}

QString FormulaTree::lookupKey(const QString& key)
{
    return foldedName(key);
}

QTreeWidgetItem* FormulaTree::find(const QString& key) const
{
    return nodes_.value(lookupKey(key));
}

QTreeWidgetItem* FormulaTree::add(const QString& parentKey, const QString& key, const QString& imageKey)
{
    // A row whose parent is missing still shows, under the root, rather than vanishing.
    QTreeWidgetItem* parent = find(parentKey);
    return createNode(parent ? parent : root_, key, imageKey);
}

QTreeWidgetItem* FormulaTree::createNode(QTreeWidgetItem* parent, const QString& key, const QString& imageKey)
{
    auto* node = new QTreeWidgetItem(parent, QStringList{key}, imageKey == ImageList::Folder ? FolderNode : FormulaNode);
    node->setData(0, KeyRole, key);
    node->setIcon(0, images_.icon(imageKey));
    nodes_.insert(lookupKey(key), node);
    return node;
}

void FormulaTree::rename(QTreeWidgetItem* node, const QString& newKey)
{
    nodes_.remove(lookupKey(key(node)));
    node->setText(0, newKey);
    node->setData(0, KeyRole, newKey);
    nodes_.insert(lookupKey(newKey), node);
}

void FormulaTree::remove(QTreeWidgetItem* node)
{
    const QSignalBlocker quiet(view_);
    forget(node);
    delete node;
}

void FormulaTree::unselect()
{
    const QSignalBlocker quiet(view_);
    view_.setCurrentItem(nullptr);
    view_.clearSelection();
}

void FormulaTree::selectQuietly(QTreeWidgetItem* node)
{
    const QSignalBlocker quiet(view_);
    view_.setCurrentItem(node);
    view_.scrollToItem(node);
}

void FormulaTree::forget(const QTreeWidgetItem* node)
{
    nodes_.remove(lookupKey(key(node)));
    for (int i = 0; i < node->childCount(); ++i)
        forget(node->child(i));
}

QString FormulaTree::key(const QTreeWidgetItem* node)
{
    return node->data(0, KeyRole).toString();
}

QString FormulaTree::imageKey(const QTreeWidgetItem* node)
{
    return node->type() == FormulaNode ? ImageList::Formula : ImageList::Folder;
}

bool FormulaTree::isFolder(const QTreeWidgetItem* node)
{
    return imageKey(node) == ImageList::Folder;
}
