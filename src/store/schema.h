#pragma once

#include <QString>
#include <QStringList>

// The library's tables, in the library's own dialect.
namespace Schema {

// CataConstruct (the tree), GlobalVariant (root variables), ParaResult (the history of one run).
QStringList fixedTableNames();
QStringList fixedTables();

// The table of a new catalog, holding its variables.
QString catalogTable(const QString& name);
// The table of a new formula: its formula row and its parameter rows.
QString formulaTable(const QString& name);

} // namespace Schema
