#pragma once

#include "mainwindow/catalogsubtree.h"
#include "mainwindow/librarytree.h"

#include <QByteArray>
#include <QJsonObject>
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
