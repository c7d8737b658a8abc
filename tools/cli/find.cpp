#include "cli.h"
#include "clierror.h"

#include "mainwindow/librarysearch.h"
#include "store/store.h"
#include "store/textrules.h"

#include <QTextStream>

Command findCommand()
{
    return {{QStringLiteral("find"), QStringLiteral("TEXT"),
             QStringLiteral("Shows the formulas whose name, function name, description or expression holds TEXT, "
                            "and the catalogs whose name or description does, without regard to case; each by its "
                            "path from the top catalog, in the tree's order. Catalogs end with '/'."),
             {}},
            [](Cli& cli, const CommandLine& line) {
                line.expectPositional(1, 1);
                Store store(cli.library, Store::Access::ReadOnly);
                LibrarySearch search = LibrarySearch::read(store);
                const QString& text = line.positional().constFirst();
                const LibrarySearch::Found found = search.find(text);
                if (found.matches.isEmpty())
                    throw failure(QStringLiteral("No formula or catalog of the library holds \"%1\".").arg(text));
                for (const LibrarySearch::Match& match : found.matches)
                    cli.out << TextRules::oneLine(search.path(match.caption)) << (match.catalog ? "/" : "") << '\n';
            }};
}
