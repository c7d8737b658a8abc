#pragma once

#include "store/sqltext.h"

#include <QHash>
#include <QList>
#include <QString>
#include <future>
#include <vector>

class Store;

// The library's tree as plain data, shaped as the main window shows it: under each node its
// catalogs, then its formulas, each in creation order; a row whose parent is missing sits
// under the root rather than vanishing.
class LibraryTree
{
public:
    struct Node
    {
        QString caption;
        QString table;       // its own table (indtable), which keeps the name it was created with
        QString description; // a catalog's; formulas keep theirs in their own table
        bool catalog = false;
        int parent = 0;      // index of its parent node
        QList<int> children; // indexes of nodes
    };

    static LibraryTree read(Store& store);
    // The same read, of the library in directory, on a thread and a connection of its own, so
    // that a large library is read while the window is being made.
    static std::future<LibraryTree> readAhead(const QString& directory);

    // The root, which has no row and no caption; its children are the top-level items.
    const Node& root() const { return nodes_.front(); }
    const Node& node(int index) const { return nodes_.at(static_cast<std::size_t>(index)); }
    // Nodes are numbered from 0 (the root) to size() - 1.
    int size() const { return int(nodes_.size()); }
    // The node of that caption, compared as the library compares names, or nullptr.
    const Node* find(const QString& caption) const;
    // The index of that node, or -1.
    int indexOf(const QString& caption) const { return indexes_.value(foldedName(caption), -1); }
    // "Mechanics/Beams/CantileverDeflection": the captions from the top catalog down to the node's.
    QString path(int index) const;

private:
    std::vector<Node> nodes_;
    QHash<QString, int> indexes_; // folded caption → index
};
