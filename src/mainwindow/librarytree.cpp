#include "mainwindow/librarytree.h"

#include "store/store.h"

LibraryTree LibraryTree::read(Store& store)
{
    LibraryTree tree;
    store.forEachText(QStringLiteral("select count(*) from CataConstruct"), [&tree](const Store::TextRow& row) {
        tree.nodes_.reserve(std::size_t(row.text(0).toLongLong()) + 1);
    });
    tree.nodes_.emplace_back();
    tree.indexes_.reserve(qsizetype(tree.nodes_.capacity()));
    // Catalogs first, so that a formula finds its catalog whatever their order of creation.
    // Rows are read as text, column by position, and placed as they come: a large library has
    // thousands of rows, and every copy or conversion of them shows in the start-up time.
    for (const bool catalog : {true, false}) {
        // Rows of one catalog mostly follow each other: its index is looked up once for them.
        QByteArray lastParent;
        int lastParentIndex = 0;
        const QString which = catalog ? QStringLiteral("flag = 1") : QStringLiteral("(flag <> 1 or flag is null)");
        store.forEachText(QStringLiteral("select caption, belongto, indtable, descr from CataConstruct where %1 order by ID").arg(which),
                          [&](const Store::TextRow& row) {
                              const QByteArrayView parent = row.utf8(1);
                              if (lastParent.isNull() || parent != lastParent) {
                                  lastParent = parent.toByteArray();
                                  lastParentIndex = tree.indexes_.value(foldedName(QString::fromUtf8(parent)), 0);
                              }
                              const int index = int(tree.nodes_.size());
                              tree.nodes_[std::size_t(lastParentIndex)].children.append(index);
                              Node& node = tree.nodes_.emplace_back();
                              node.catalog = catalog;
                              node.parent = lastParentIndex;
                              node.caption = row.text(0);
                              // Most tables keep the name of their row: the text is then shared.
                              node.table = row.utf8(2) == row.utf8(0) ? node.caption : row.text(2);
                              node.description = row.text(3);
                              // A formula never takes a catalog's caption from it.
                              QString key = foldedName(node.caption);
                              if (catalog || !tree.indexes_.contains(key))
                                  tree.indexes_.insert(std::move(key), index);
                              if (catalog)
                                  lastParent.clear(); // the new catalog may be the cached name's
                          });
    }
    return tree;
}

std::future<LibraryTree> LibraryTree::readAhead(const QString& directory)
{
    return std::async(std::launch::async, [directory] {
        Store store(directory, Store::Access::ReadOnly);
        return read(store);
    });
}

const LibraryTree::Node* LibraryTree::find(const QString& caption) const
{
    const int index = indexOf(caption);
    return index > 0 ? &node(index) : nullptr;
}

QString LibraryTree::path(int index) const
{
    QStringList captions;
    for (; index > 0; index = node(index).parent)
        captions.prepend(node(index).caption);
    return captions.join(QLatin1Char('/'));
}
