#include "mainwindow/formulatree.h"

#include "mainwindow/imagelist.h"

#include <QSignalBlocker>
#include <QTreeWidget>

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
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
    root_ = new QTreeWidgetItem(&view_, QStringList{rootText});
    root_->setData(0, KeyRole, ItemName::RootKey);
    root_->setData(0, ImageRole, ImageList::Folder);
    root_->setIcon(0, images_.icon(ImageList::Folder));
    nodes_.insert(lookupKey(ItemName::RootKey), root_);
    // No node is current until the user picks one; otherwise the view would make the root
    // current, and so show it, as soon as it gets the keyboard.
    view_.setCurrentItem(nullptr);
}

void FormulaTree::load(const Rows& rows)
{
    // Built apart from the view and put back whole: the view would otherwise update itself for
    // every one of thousands of nodes.
    const QSignalBlocker quiet(view_);
    view_.takeTopLevelItem(view_.indexOfTopLevelItem(root_));
    const auto parentOf = [](const QSqlRecord& row) {
        const QString caption = row.value(QStringLiteral("caption")).toString();
        const QString belongto = row.value(QStringLiteral("belongto")).toString();
        return belongto == caption ? ItemName::RootKey : belongto;
    };
    for (int flag : {1, 0}) {
        for (const QSqlRecord& row : rows) {
            if (row.value(QStringLiteral("flag")).toInt() == flag)
                add(parentOf(row), row.value(QStringLiteral("caption")).toString(),
                    flag == 1 ? ImageList::Folder : ImageList::Formula);
        }
    }
    view_.addTopLevelItem(root_);
}

QString FormulaTree::lookupKey(const QString& key)
{
    return ItemName::comparisonKey(key);
}

QTreeWidgetItem* FormulaTree::find(const QString& key) const
{
    return nodes_.value(lookupKey(key));
}

QTreeWidgetItem* FormulaTree::add(const QString& parentKey, const QString& key, const QString& imageKey)
{
    // A row whose parent is missing still shows, under the root, rather than vanishing.
    QTreeWidgetItem* parent = find(parentKey);
    auto* node = new QTreeWidgetItem(parent ? parent : root_, QStringList{key});
    node->setData(0, KeyRole, key);
    node->setData(0, ImageRole, imageKey);
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
    return node->data(0, ImageRole).toString();
}

bool FormulaTree::isFolder(const QTreeWidgetItem* node)
{
    return imageKey(node) == ImageList::Folder;
}
