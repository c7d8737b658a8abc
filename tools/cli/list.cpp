#include "cli.h"
#include "libraryitems.h"

#include "mainwindow/librarytree.h"
#include "store/store.h"
#include "store/textrules.h"

#include <QTextStream>

namespace {

void print(QTextStream& out, const LibraryTree& tree, const LibraryTree::Node& node, int depth)
{
    out << QString(depth * 2, QLatin1Char(' ')) << TextRules::oneLine(node.caption) << (node.catalog ? "/" : "") << '\n';
    for (const int child : node.children)
        print(out, tree, tree.node(child), depth + 1);
}

} // namespace

Command listCommand()
{
    return {{QStringLiteral("list"), QStringLiteral("[CATALOG]"),
             QStringLiteral("Shows the tree of catalogs and formulas, or the part of it from CATALOG down. "
                            "Catalogs end with '/'."),
             {}},
            [](Cli& cli, const CommandLine& line) {
                line.expectPositional(0, 1);
                Store store(cli.library, Store::Access::ReadOnly);
                const LibraryTree tree = LibraryTree::read(store);
                if (!line.positional().isEmpty()) {
                    print(cli.out, tree, catalogNamed(tree, line.positional().constFirst()), 0);
                    return;
                }
                for (const int child : tree.root().children)
                    print(cli.out, tree, tree.node(child), 0);
            }};
}
