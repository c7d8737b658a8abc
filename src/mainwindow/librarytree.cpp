#include "mainwindow/librarytree.h"

#include "store/itemname.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QHash>

LibraryTree LibraryTree::read(Store& store)
{
    LibraryTree tree;
    tree.nodes_.emplace_back();
    QHash<QString, int> catalogs; // caption → index, for catalogs placed so far
    const Rows rows = store.query(QStringLiteral("select * from CataConstruct order by ID"));
    // Catalogs first, so that a formula finds its catalog whatever their order of creation.
    for (const int flag : {1, 0}) {
        for (const QSqlRecord& row : rows) {
            if (row.value(QStringLiteral("flag")).toInt() != flag)
                continue;
            Node node;
            node.caption = row.value(QStringLiteral("caption")).toString();
            node.table = row.value(QStringLiteral("indtable")).toString();
            node.description = row.value(QStringLiteral("descr")).toString();
            node.catalog = flag == 1;
            const int index = int(tree.nodes_.size());
            const int parent = catalogs.value(row.value(QStringLiteral("belongto")).toString(), 0);
            tree.nodes_[std::size_t(parent)].children.append(index);
            if (node.catalog)
                catalogs.insert(node.caption, index);
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
