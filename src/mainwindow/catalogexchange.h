#pragma once

#include "editor/formulas.h"
#include "mainwindow/librarytree.h"
#include "variables/variables.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <optional>

class Store;

// A catalog with everything below it (its catalogs, formulas, parameters and variables) as a
// readable JSON document, and back into a library.
namespace CatalogExchange {

QJsonObject exportCatalog(Store& store, const LibraryTree& tree, const LibraryTree::Node& catalog);

// A document's catalogs and formulas in the order they are added, every parent before its
// children.
struct Subtree
{
    // Each part with its place in the document, the path to it: "catalog.catalogs[0].formulas[2]".
    struct Catalog
    {
        QString name;
        QString parent; // the caption of a catalog of the subtree; empty for the subtree's own top
        QString description;
        QList<NamedValue> variables;
        QString place;
        QStringList variablePlaces;
    };
    struct Item
    {
        Formula formula;
        QString parent;
        QString place;
        QStringList parameterPlaces;
    };
    QList<Catalog> catalogs;
    QList<Item> formulas;
};

// The document's subtree; nullopt, with every problem found each with its place, when it is
// not one this exchange writes.
std::optional<Subtree> read(const QJsonObject& document, QStringList& problems);

// Adds the subtree under the catalog into (empty: under the root) in one transaction: all of it
// or, when the library refuses any statement, nothing. Check ImportCheck::problems() first.
void add(Store& store, const Subtree& subtree, const QString& into);

} // namespace CatalogExchange
