#pragma once

#include "store/itemrow.h"

#include <QString>

class Store;

// The one rule for the names of catalogs and formulas, asked by every command that adds or
// renames one before it runs any statement. An item's name is its caption, its key in the
// tree and, when it is added, the name of its own table, so it must be all three.
namespace ItemName {

// The key of the tree's root node, which no item may take.
inline const QString RootKey = QStringLiteral("gongshi");

enum class Use {
    Usable,
    Unstorable,  // holds NUL or a broken character (a lone UTF-16 surrogate): no text column or table name keeps it
    Reserved,    // the root's key, or SQLite's own prefix "sqlite_"
    FixedTable,  // the name of one of the library's fixed tables
    Unprintable, // a line break, a tab, another control character or a look-alike blank (see TextRules)
    TooLong,     // longer than TextRules::MaxNameLength
    Taken,       // another item's caption
    TableTaken,  // the name of a table: an item's, whose table keeps its first name, or one of no item
    Missing,     // the item to rename is no longer in the library (renames only)
};

// Any other name works, keywords (Index, Order, Table) and quotes included: tables are always
// named as quoted identifiers. Compared as the library compares names, without case for ASCII.
Use use(const QString& name);

// Whether a catalog or a formula other than the one captioned except has the caption name.
// Captions are unique across both: they are the tree's keys and every lookup's.
bool taken(Store& store, const QString& name, const QString& except = {});

// Whether the library has name already, for a new item of kind (a catalog or a formula),
// whose table will bear it: Taken, TableTaken, or Usable. use() is asked first.
Use inUse(Store& store, const QString& name, ItemRow::Kind kind);

// For the status line, beside the refusal of a new item's name that a table bears: whose table
// it is. A renamed item's table keeps its first name, which the refusal does not say.
QString whoseTable(Store& store, const QString& name);

// The use of newName as the new name of the item captioned oldName: Missing when that item is
// gone, Taken when another item has that caption, otherwise as use(). An unchanged name is
// Usable, and so is a new letter case of the item's own name.
Use renameUse(Store& store, const QString& oldName, const QString& newName);

// The refusal a command's own Problem enumeration gives for use; Problem::None when usable.
template<typename Problem>
Problem problemOf(Use use)
{
    switch (use) {
    case Use::Unstorable: return Problem::UnstorableName;
    case Use::Reserved: return Problem::ReservedName;
    case Use::FixedTable: return Problem::TableNameInUse;
    case Use::Unprintable: return Problem::UnprintableName;
    case Use::TooLong: return Problem::NameTooLong;
    case Use::Taken: return Problem::NameInUse;
    case Use::TableTaken: return Problem::TableNameInUse;
    case Use::Missing: return Problem::Missing;
    case Use::Usable: break;
    }
    return Problem::None;
}

} // namespace ItemName
