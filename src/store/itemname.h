#pragma once

#include <QString>

// The one rule for the names of catalogs and formulas, asked by every command that adds or
// renames one before it runs any statement. An item's name is its caption, its key in the
// tree and, when it is added, the name of its own table, so it must be all three.
namespace ItemName {

// The key of the tree's root node, which no item may take.
inline const QString RootKey = QStringLiteral("gongshi");

enum class Use {
    Usable,
    Unstorable, // holds NUL or a broken character (a lone UTF-16 surrogate): no text column or table name keeps it
    Reserved,   // the root's key, or SQLite's own prefix "sqlite_"
    FixedTable, // the name of one of the library's fixed tables
};

// Any other name works, keywords (Index, Order, Table) and quotes included: tables are always
// named as quoted identifiers. Compared as the library compares names, without case for ASCII.
Use use(const QString& name);

// The name as the library compares names: ASCII letters in lower case, every other character
// as it is. Two names are the same item's exactly when their keys are equal.
QString comparisonKey(const QString& name);

} // namespace ItemName
