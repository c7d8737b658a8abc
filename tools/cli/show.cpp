#include "cli.h"
#include "libraryitems.h"
#include "texttable.h"

#include "mainwindow/librarytree.h"
#include "store/store.h"

#include <QTextStream>

Command showCommand()
{
    return {{QStringLiteral("show"), QStringLiteral("FORMULA"),
             QStringLiteral("Shows a formula: its path from the top catalog, its function name, expression, unit, "
                            "precision and description, and its parameters with their defaults."),
             {}},
            [](Cli& cli, const CommandLine& line) {
                line.expectPositional(1, 1);
                Store store(cli.library, Store::Access::ReadOnly);
                const Formula formula = formulaNamed(store, line.positional().constFirst());
                const LibraryTree tree = LibraryTree::read(store);

                using Align = TextTable::Align;
                TextTable about({Align::Left, Align::Left});
                about.addRow({QStringLiteral("Formula"), formula.name});
                about.addRow({QStringLiteral("Path"), tree.path(tree.indexOf(formula.name))});
                about.addRow({QStringLiteral("Function"), formula.function});
                about.addRow({QStringLiteral("Expression"), formula.expression});
                about.addRow({QStringLiteral("Unit"), formula.unit});
                about.addRow({QStringLiteral("Precision"), formula.precision});
                about.addRow({QStringLiteral("Description"), formula.description});
                about.print(cli.out);

                cli.out << '\n';
                TextTable parameters({Align::Left, Align::Left, Align::Right, Align::Left, Align::Left});
                parameters.addRow({QStringLiteral("Symbol"), QStringLiteral("Name"), QStringLiteral("Default"),
                                   QStringLiteral("Unit"), QStringLiteral("Description")});
                for (const NamedValue& p : formula.parameters)
                    parameters.addRow({p.symbol, p.name, p.value, p.unit, p.description});
                parameters.print(cli.out);
            }};
}
