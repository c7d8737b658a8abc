#include "mainwindow/librarytree.h"

#include "store/sqltext.h"
#include "store/store.h"

#include <QHash>

LibraryTree LibraryTree::read(Store& store)
{
    LibraryTree tree;
    tree.nodes_.emplace_back();
    QHash<QString, int> catalogs; // folded caption → index, for catalogs placed so far
    // Read by position: a large library has thousands of rows, and looking columns up by name
    // in each would cost more than reading them.
    const Rows rows = store.query(QStringLiteral("select caption, flag, belongto, indtable, descr from CataConstruct order by ID"));
    // Catalogs first, so that a formula finds its catalog whatever their order of creation.
    for (const int flag : {1, 0}) {
        for (const QSqlRecord& row : rows) {
            if (row.value(1).toInt() != flag)
                continue;
            Node node;
            node.caption = row.value(0).toString();
            node.table = row.value(3).toString();
            node.description = row.value(4).toString();
            node.catalog = flag == 1;
            const int index = int(tree.nodes_.size());
            const int parent = catalogs.value(foldedName(row.value(2).toString()), 0);
            tree.nodes_[std::size_t(parent)].children.append(index);
            if (node.catalog)
                catalogs.insert(foldedName(node.caption), index);
            tree.nodes_.push_back(std::move(node));
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
