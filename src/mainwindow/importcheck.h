#pragma once

#include "mainwindow/catalogsubtree.h"

#include <QStringList>

class Store;

// What a document must pass before an import writes anything of it: every check the catalog,
// formula, parameter and variable dialogs make of what a user types, through the same
// functions, as if a user typed the document in, one part after the other.
namespace ImportCheck {

// Every problem of the subtree added under the catalog into (empty: the root), each as
// "place.field: what is wrong", one for each field at most; empty when all of it can be added.
QStringList problems(Store& store, const CatalogExchange::Subtree& subtree, const QString& into);

// Every value and default value of the subtree that the library keeps rounded, each as
// "place.field: what it keeps".
QStringList roundings(const CatalogExchange::Subtree& subtree);

} // namespace ImportCheck
