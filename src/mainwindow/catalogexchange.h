#pragma once

#include "editor/formulas.h"
#include "mainwindow/librarytree.h"
#include "variables/variables.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <optional>

class Store;

// A catalog with everything below it (its catalogs, formulas, parameters and variables) as a
// readable JSON document, and back into a library.
namespace CatalogExchange {

// The file's contents: a JSON document of the catalog of tree.
QByteArray exportCatalog(Store& store, const LibraryTree& tree, const LibraryTree::Node& catalog);

// The document of the file at path; nullopt, with why in words that name the file, when it cannot
// be read or holds no JSON.
std::optional<QJsonObject> readFile(const QString& path, QString& why);

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

// Adds the subtree under the catalog into (empty: under the root), all of it or nothing: in one
// transaction it is checked as the dialogs would check it, part by part (ImportCheck::problems),
// and added when nothing is refused. Returns those problems, empty when it was added. A
// StoreError, and nothing added, when the library refuses a statement or into has gone.
QStringList add(Store& store, const Subtree& subtree, const QString& into);

// What adding the subtree under into added: "Imported 2 catalog(s) and 5 formula(s) into Mechanics."
QString summary(const Subtree& subtree, const QString& into);

} // namespace CatalogExchange
