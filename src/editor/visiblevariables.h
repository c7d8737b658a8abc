#pragma once

#include <QStringList>

class Store;

// The variable tables a formula sees, nearest first: the tables of its catalog and of that
// catalog's ancestors up to the top-level one, then GlobalVariant. caption names a catalog
// (whose own table comes first), a formula (whose catalog comes first), or, when empty, the
// root. A chain that breaks off (a parent gone, a loop) ends where it breaks; the global
// variables always come last.
QStringList visibleVariableTables(Store& store, const QString& caption);
