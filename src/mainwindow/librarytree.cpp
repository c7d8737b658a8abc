#include "mainwindow/librarytree.h"

#include "store/sqltext.h"
#include "store/store.h"

#include <QHash>

LibraryTree LibraryTree::read(Store& store)
{
    struct Row
    {
        Node node;
        QString belongsTo;
    };
    // Read as text, column by position: a large library has thousands of rows, and converting
    // each to a record first would cost more than building the tree.
    std::vector<Row> rows;
    store.forEachText(QStringLiteral("select caption, flag, belongto, indtable, descr from CataConstruct order by ID"),
                      [&rows](const Store::TextRow& row) {
                          Node node;
                          node.caption = row.text(0);
                          node.catalog = row.text(1).toInt() == 1;
                          node.table = row.text(3);
                          node.description = row.text(4);
                          rows.push_back({std::move(node), row.text(2)});
                      });

    LibraryTree tree;
    tree.nodes_.reserve(rows.size() + 1);
    tree.nodes_.emplace_back();
    QHash<QString, int> catalogs; // folded caption → index, for catalogs placed so far
    catalogs.reserve(qsizetype(rows.size()));
    // Catalogs first, so that a formula finds its catalog whatever their order of creation.
    for (const bool catalog : {true, false}) {
        for (Row& row : rows) {
            if (row.node.catalog != catalog)
                continue;
            const int index = int(tree.nodes_.size());
            const int parent = catalogs.value(foldedName(row.belongsTo), 0);
            tree.nodes_[std::size_t(parent)].children.append(index);
            if (catalog)
                catalogs.insert(foldedName(row.node.caption), index);
            tree.nodes_.push_back(std::move(row.node));
        }
    }
    return tree;
}

const LibraryTree::Node* LibraryTree::find(const QString& caption) const
{
    const QString key = foldedName(caption);
    for (auto node = nodes_.begin() + 1; node != nodes_.end(); ++node) {
        if (foldedName(node->caption) == key)
            return &*node;
    }
    return nullptr;
}
