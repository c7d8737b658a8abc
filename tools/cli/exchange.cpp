#include "cli.h"
#include "clierror.h"
#include "libraryitems.h"

#include "calc/wholefile.h"
#include "mainwindow/catalogexchange.h"
#include "mainwindow/importcheck.h"
#include "store/store.h"

#include <QFile>
#include <QJsonDocument>
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
                const QJsonDocument document(CatalogExchange::exportCatalog(store, tree, catalog));
                if (const QString problem = WholeFile::save(path, document.toJson()); !problem.isEmpty())
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
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly))
                    throw failure(QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
                QJsonParseError error;
                const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
                if (document.isNull()) {
                    throw failure(
                        QStringLiteral("%1 is not JSON: %2 at byte %3").arg(path, error.errorString()).arg(error.offset));
                }
                QStringList problems;
                const auto subtree = CatalogExchange::read(document.object(), problems);
                if (!subtree)
                    throw refusal(path, problems);

                Store store(cli.library);
                // Nothing changes the library between the checks and the adding.
                Store::Transaction transaction(store);
                QString parent;
                if (line.isSet(into))
                    parent = catalogNamed(LibraryTree::read(store), line.value(into)).caption;
                if (problems = ImportCheck::problems(store, *subtree, parent); !problems.isEmpty())
                    throw refusal(path, problems);
                CatalogExchange::add(store, *subtree, parent);
                transaction.commit();
                cli.out << "Imported " << subtree->catalogs.size() << " catalog(s) and " << subtree->formulas.size()
                        << " formula(s) into " << (parent.isEmpty() ? QStringLiteral("the root") : parent) << ".\n";
                for (const QString& rounding : ImportCheck::roundings(*subtree))
                    cli.out << rounding << '\n';
            }};
}
