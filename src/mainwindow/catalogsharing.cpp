#include "mainwindow/catalogsharing.h"

#include "calc/wholefile.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "mainwindow/catalogexchange.h"
#include "mainwindow/formulatree.h"
#include "mainwindow/imagelist.h"
#include "mainwindow/importcheck.h"

#include <QAction>
#include <QDir>
#include <QTreeWidgetItem>

namespace {
const QString Filter = QStringLiteral("Catalogs (*.json)");
}

CatalogSharing::CatalogSharing(const Controls& controls, Store& store, Messages& messages, FormulaTree& tree)
    : ui_(controls)
    , store_(store)
    , messages_(messages)
    , tree_(tree)
{
    connect(&ui_.mexportcata, &QAction::triggered, this, &CatalogSharing::mexportcata_Click);
    connect(&ui_.mimportcata, &QAction::triggered, this, &CatalogSharing::mimportcata_Click);
}

void CatalogSharing::mexportcata_Click()
{
    const QTreeWidgetItem* node = tree_.current();
    if (!node || !FormulaTree::isFolder(node) || tree_.isRoot(node))
        return;
    const QString caption = node->text(0);
    const QString path = messages_.dialogs().saveFileName(&ui_.window, Filter);
    if (path.isEmpty())
        return;
    bool found = false;
    QString problem;
    if (!messages_.run([&] {
            const LibraryTree library = LibraryTree::read(store_);
            const LibraryTree::Node* catalog = library.find(caption);
            if ((found = catalog && catalog->catalog))
                problem = WholeFile::save(path, CatalogExchange::exportCatalog(store_, library, *catalog));
        }))
        return;
    // Another program deleted or renamed it since the tree showed it.
    if (!found) {
        messages_.box(Messages::Label64, MsgStyle::Information);
        return;
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!problem.isEmpty()) {
        if (problem.endsWith(QLatin1Char('.')))
            problem.chop(1);
        messages_.box(QStringLiteral("The catalog %1 can't be written to %2 (%3). Nothing was saved; a file already "
                                     "there is left as it was.")
                          .arg(caption, shownPath, problem),
                      MsgStyle::Information);
        return;
    }
    emit done(QStringLiteral("Exported %1 to %2.").arg(caption, shownPath));
}

void CatalogSharing::mimportcata_Click()
{
    const QTreeWidgetItem* node = tree_.current();
    if (!node || !FormulaTree::isFolder(node))
        return;
    const QString intoKey = FormulaTree::key(node);
    const QString into = tree_.isRoot(node) ? QString() : intoKey;
    const QString path = messages_.dialogs().openFileName(&ui_.window, Filter);
    if (path.isEmpty())
        return;
    QString why;
    const std::optional<QJsonObject> document = CatalogExchange::readFile(QDir::toNativeSeparators(path), why);
    if (!document) {
        messages_.box(QStringLiteral("Nothing was imported: %1.").arg(why), MsgStyle::Information);
        return;
    }
    QStringList problems;
    const std::optional<CatalogExchange::Subtree> subtree = CatalogExchange::read(*document, problems);
    if (subtree && !messages_.run([&] { problems = CatalogExchange::add(store_, *subtree, into); }))
        return;
    if (!problems.isEmpty()) {
        messages_.box(QStringLiteral("Nothing was imported: %1 has %2 problem(s), each named by its place in the "
                                     "file. Correct them in the file, or rename or delete what the library holds "
                                     "under those names, and import it again.\n\n%3")
                          .arg(QDir::toNativeSeparators(path), QString::number(problems.size()),
                               problems.join(QLatin1Char('\n'))),
                      MsgStyle::Information);
        return;
    }
    // Every catalog comes before what it holds.
    for (const CatalogExchange::Subtree::Catalog& catalog : subtree->catalogs)
        tree_.add(catalog.parent.isEmpty() ? intoKey : catalog.parent, catalog.name, ImageList::Folder);
    for (const CatalogExchange::Subtree::Item& item : subtree->formulas)
        tree_.add(item.parent, item.formula.name, ImageList::Formula);
    if (QTreeWidgetItem* intoNode = tree_.find(intoKey))
        intoNode->setExpanded(true);
    emit imported();
    const QStringList said = QStringList{CatalogExchange::summary(*subtree, into)} + ImportCheck::roundings(*subtree);
    emit done(said.join(QLatin1Char(' ')));
}
