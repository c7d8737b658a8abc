#pragma once

#include <QString>
#include <QStringList>

// The library's tables, in the library's own dialect.
namespace Schema {

// CataConstruct (the tree), GlobalVariant (root variables), ParaResult (the history of one run):
// what a file must hold to be a library.
QStringList fixedTableNames();
// Those and the tables that hold the items' tables: names no catalog or formula may take.
QStringList reservedTableNames();
// The statements that make a new library.
QStringList fixedTables();

// Every command finds its catalog or formula by caption: the index keeps that quick in a
// library of thousands.
inline const QString CaptionIndex = QStringLiteral("CataConstructCaption");
QString captionIndex();

// The table of a new catalog, holding its variables.
QString catalogTable(const QString& name);
// The table of a new formula: its formula row and its parameter rows.
QString formulaTable(const QString& name);

} // namespace Schema
