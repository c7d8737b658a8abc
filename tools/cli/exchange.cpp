#include "catalogexchange.h"
#include "cli.h"
#include "clierror.h"
#include "libraryitems.h"

#include "calc/wholefile.h"
#include "store/store.h"

#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

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
             QStringLiteral("Adds a catalog written by export, with everything in it, in one step: when any of its "
                            "names is taken, it lists them all and adds nothing."),
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
                QString problem;
                const auto subtree = CatalogExchange::read(document.object(), problem);
                if (!subtree)
                    throw failure(QStringLiteral("%1: %2").arg(path, problem));

                Store store(cli.library);
                QString parent;
                if (line.isSet(into))
                    parent = catalogNamed(LibraryTree::read(store), line.value(into)).caption;
                if (const QStringList clashes = CatalogExchange::clashes(store, *subtree); !clashes.isEmpty()) {
                    throw failure(QStringLiteral("Nothing was imported; %1 name(s) the library cannot take: %2.")
                                      .arg(clashes.size())
                                      .arg(clashes.join(QLatin1String(", "))));
                }
                CatalogExchange::add(store, *subtree, parent);
                cli.out << "Imported " << subtree->catalogs.size() << " catalog(s) and " << subtree->formulas.size()
                        << " formula(s) into " << (parent.isEmpty() ? QStringLiteral("the root") : parent) << ".\n";
            }};
}
