#include "cli.h"
#include "clierror.h"
#include "libraryitems.h"

#include "calc/wholefile.h"
#include "mainwindow/catalogexchange.h"
#include "mainwindow/importcheck.h"
#include "store/store.h"

#include <QTextStream>

namespace {

CliError refusal(const QString& path, const QStringList& problems)
{
    return failure(QStringLiteral("Nothing was imported; %1 has %2 problem(s): %3.")
                       .arg(path, QString::number(problems.size()), problems.join(QLatin1String("; "))));
}

} // namespace

Command exportCommand()
{
    return {{QStringLiteral("export"), QStringLiteral("CATALOG FILE.json"),
             QStringLiteral("Writes a catalog with its catalogs, formulas, parameters and variables to a JSON file."),
             {}},
            [](Cli& cli, const CommandLine& line) {
                line.expectPositional(2, 2);
                const QString path = line.positional().at(1);
                Store store(cli.library, Store::Access::ReadOnly);
                const LibraryTree tree = LibraryTree::read(store);
                const LibraryTree::Node& catalog = catalogNamed(tree, line.positional().constFirst());
                if (const QString problem = WholeFile::save(path, CatalogExchange::exportCatalog(store, tree, catalog));
                    !problem.isEmpty())
                    throw unwritable(path, problem);
                cli.out << "Exported " << catalog.caption << " to " << path << ".\n";
            }};
}

Command importCommand()
{
    const QCommandLineOption into(QStringLiteral("into"),
                                  QStringLiteral("Add the catalog inside CATALOG rather than directly under the root."),
                                  QStringLiteral("CATALOG"));
    return {{QStringLiteral("import"), QStringLiteral("FILE.json"),
             QStringLiteral("Adds a catalog written by export, with everything in it, in one step. It checks "
                            "every part as the dialogs do: when anything would be refused, it lists every problem "
                            "with its place in the file and adds nothing."),
             {into}},
            [into](Cli& cli, const CommandLine& line) {
                line.expectPositional(1, 1);
                const QString path = line.positional().constFirst();
                QString why;
                const std::optional<QJsonObject> document = CatalogExchange::readFile(path, why);
                if (!document)
                    throw failure(why);
                QStringList problems;
                const auto subtree = CatalogExchange::read(*document, problems);
                if (!subtree)
                    throw refusal(path, problems);

                Store store(cli.library);
                QString parent;
                if (line.isSet(into))
                    parent = catalogNamed(LibraryTree::read(store), line.value(into)).caption;
                if (problems = CatalogExchange::add(store, *subtree, parent); !problems.isEmpty())
                    throw refusal(path, problems);
                cli.out << CatalogExchange::summary(*subtree, parent) << '\n';
                for (const QString& rounding : ImportCheck::roundings(*subtree))
                    cli.out << rounding << '\n';
            }};
}
