#include "mainwindow/formulatree.h"

#include "mainwindow/imagelist.h"
#include "store/sqltext.h"

#include <QSignalBlocker>
#include <QTreeWidget>

namespace {
// The index in the loaded library of a node made from it; none for nodes added later.
constexpr int IndexRole = Qt::UserRole;
// A node's kind rides in its item type: one value less to store for each of thousands of nodes.
constexpr int FolderNode = QTreeWidgetItem::UserType;
constexpr int FormulaNode = QTreeWidgetItem::UserType + 1;
} // namespace

FormulaTree::FormulaTree(QTreeWidget& view, const ImageList& images)
    : view_(view)
    , images_(images)
{
    QObject::connect(&view_, &QTreeWidget::itemExpanded, &view_, [this](QTreeWidgetItem* node) { populate(node); });
}

void FormulaTree::reset(const QString& rootText)
{
    const QSignalBlocker quiet(view_);
    view_.clear();
    nodes_.clear();
    library_ = {};
    made_.clear();
    removed_.clear();
    unpopulated_.clear();
    root_ = new QTreeWidgetItem(&view_, QStringList{rootText}, FolderNode);
    root_->setIcon(0, images_.icon(ImageList::Folder));
    nodes_.insert(lookupKey(ItemName::RootKey), root_);
    // No node is current until the user picks one; otherwise the view would make the root
    // current, and so show it, as soon as it gets the keyboard.
    view_.setCurrentItem(nullptr);
}

void FormulaTree::load(LibraryTree library)
{
    library_ = std::move(library);
    const auto count = std::size_t(library_.size());
    made_.assign(count, nullptr);
    made_[0] = root_;
    removed_.assign(count, false);
    unpopulated_.insert(root_, 0);
    // Built apart from the view and put back whole: the view would otherwise update itself for
    // every node.
    const QSignalBlocker quiet(view_);
    view_.takeTopLevelItem(view_.indexOfTopLevelItem(root_));
    populate(root_);
    view_.addTopLevelItem(root_);
}

void FormulaTree::populate(QTreeWidgetItem* node)
{
    const auto pending = unpopulated_.constFind(node);
    if (pending == unpopulated_.constEnd())
        return;
    const int index = *pending;
    unpopulated_.erase(pending);
    const QSignalBlocker quiet(view_);
    // Made apart and added at once: the view takes one insertion instead of one per node, and
    // no change of each node's icon and data.
    QList<QTreeWidgetItem*> children;
    children.reserve(library_.node(index).children.size());
    for (const int child : library_.node(index).children) {
        const LibraryTree::Node& made = library_.node(child);
        children.append(createNode(nullptr, made.caption, made.catalog ? ImageList::Folder : ImageList::Formula, child));
    }
    node->addChildren(children);
}

QTreeWidgetItem* FormulaTree::materialize(int index)
{
    if (QTreeWidgetItem* made = made_[std::size_t(index)])
        return made;
    QTreeWidgetItem* parent = materialize(library_.node(index).parent);
    if (!parent)
        return nullptr;
    populate(parent);
    return made_[std::size_t(index)];
}

QString FormulaTree::lookupKey(const QString& key)
{
    return foldedName(key);
}

QTreeWidgetItem* FormulaTree::current() const
{
    return view_.currentItem();
}

QTreeWidgetItem* FormulaTree::find(const QString& key)
{
    QTreeWidgetItem* node = made(key);
    if (node)
        populate(node);
    return node;
}

QTreeWidgetItem* FormulaTree::made(const QString& key)
{
    if (QTreeWidgetItem* node = nodes_.value(lookupKey(key)))
        return node;
    const int index = unmadeIndex(key);
    return index < 0 ? nullptr : materialize(index);
}

bool FormulaTree::hasChildren(const QTreeWidgetItem* node) const
{
    return node->childCount() > 0 || unpopulated_.contains(node);
}

QTreeWidgetItem* FormulaTree::add(const QString& parentKey, const QString& key, const QString& imageKey)
{
    // A row whose parent is missing still shows, under the root, rather than vanishing.
    QTreeWidgetItem* parent = find(parentKey);
    return createNode(parent ? parent : root_, key, imageKey);
}

QTreeWidgetItem* FormulaTree::createNode(QTreeWidgetItem* parent, const QString& key, const QString& imageKey, int index)
{
    auto* node = new QTreeWidgetItem(QStringList{key}, imageKey == ImageList::Folder ? FolderNode : FormulaNode);
    node->setIcon(0, images_.icon(imageKey));
    const QString folded = lookupKey(key);
    nodes_.insert(folded, node);
    if (index >= 0) {
        node->setData(0, IndexRole, index);
        made_[std::size_t(index)] = node;
        if (!library_.node(index).children.isEmpty()) {
            unpopulated_.insert(node, index);
            node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
    }
    if (parent)
        parent->addChild(node);
    return node;
}

void FormulaTree::rename(QTreeWidgetItem* node, const QString& newKey)
{
    nodes_.remove(lookupKey(key(node)));
    node->setText(0, newKey);
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
    if (const QVariant index = node->data(0, IndexRole); index.isValid()) {
        made_[std::size_t(index.toInt())] = nullptr;
        removed_[std::size_t(index.toInt())] = true;
    }
    if (const auto pending = unpopulated_.constFind(node); pending != unpopulated_.constEnd()) {
        for (const int child : library_.node(*pending).children)
            forgetUnmade(child);
        unpopulated_.erase(pending);
    }
    for (int i = 0; i < node->childCount(); ++i)
        forget(node->child(i));
}

void FormulaTree::forgetUnmade(int index)
{
    removed_[std::size_t(index)] = true;
    for (const int child : library_.node(index).children)
        forgetUnmade(child);
}

int FormulaTree::unmadeIndex(const QString& key) const
{
    // A node made from the library answers to its current name only, through nodes_.
    const int index = library_.indexOf(key);
    return index > 0 && !made_[std::size_t(index)] && !removed_[std::size_t(index)] ? index : -1;
}

QString FormulaTree::key(const QTreeWidgetItem* node)
{
    // The root is the view's only top-level node; every other node is keyed by its caption.
    return node->parent() ? node->text(0) : ItemName::RootKey;
}

QString FormulaTree::imageKey(const QTreeWidgetItem* node)
{
    return node->type() == FormulaNode ? ImageList::Formula : ImageList::Folder;
}

bool FormulaTree::isFolder(const QTreeWidgetItem* node)
{
    return imageKey(node) == ImageList::Folder;
}
