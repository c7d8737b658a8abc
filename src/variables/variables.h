#pragma once

#include "store/namedvalue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Store;

// Defining, changing and deleting variables (named constants: global, rows of GlobalVariant, or of
// one catalog, rows of its table), without any widget. A level of the tree is named
// by a catalog's caption, or by an empty text for the root, whose variables are the global ones.
// Each command is one transaction, its checks included.
namespace Variables {

// Why the typed fields or a change are refused; each has its own message.
enum class Problem {
    None,
    EmptySymbol,
    UnusableSymbol,  // no expression could name it, so no formula could use the variable
    EmptyName,
    EmptyValue,
    NotNumeral,      // a character other than a digit, a point or a minus sign
    NotANumber,      // only those characters, yet no number ("1-2", "1.2.3", "-")
    SymbolDefined,   // adding: the level or a level above it has the symbol
    SymbolListed,    // changing: another variable of the level has the symbol
    UnprintableName, // a line break, a tab, another control character or a look-alike blank
    NameTooLong,
    DescriptionTooLong,
    Missing,         // the variable being changed is no longer in the library
    CatalogMissing,  // the catalog is gone: another window renamed or deleted it
    Changed,         // another window changed the variable since the list showed it
};

// The checks of the fields, in the order the dialog makes them: the first problem, or all
// of them, one for each field at most.
Problem checkFields(const NamedValue& variable);
QList<Problem> fieldProblems(const NamedValue& variable);
// Changing a variable's symbol to one that another variable of its level has; the level's
// symbols are those listed, the changed variable's own among them.
Problem checkNewSymbol(const QString& oldSymbol, const QString& symbol, const QStringList& listedSymbols);

// The tables whose variables a formula in the catalog sees, nearest first: the catalog's own,
// those of the catalogs above it up to one under the root, then GlobalVariant. For the root,
// GlobalVariant alone; nullopt when the catalog is no longer in the library.
std::optional<QStringList> visibleTables(Store& store, const QString& catalog);
// The table holding the level's own variables; nullopt when the catalog is no longer there.
std::optional<QString> tableOf(Store& store, const QString& catalog);
// Whether the table has a variable of exactly this symbol; the library compares text without
// case, so x and X are told apart here.
bool holdsSymbol(Store& store, const QString& table, const QString& symbol);
// Whether any of the tables has a variable of exactly this symbol.
bool definedIn(Store& store, const QStringList& tables, const QString& symbol);

// Adds to the level, unless a visible table holds the symbol already.
Problem define(Store& store, const QString& catalog, const NamedValue& variable);
// Rewrites the variable of the level that the list shows as listed: the one of exactly its symbol
// and name. Changed, and nothing written, when the library no longer holds it as listed (its
// value compared as the library keeps it, so an entry showing a value as typed, 1.50 or
// 0.00001, is no change).
Problem change(Store& store, const QString& catalog, const NamedValue& listed, const NamedValue& changed);
// Deletes the variable listed, as change() finds it; one already gone is no error. One changed
// since, or one whose catalog is gone, is not deleted (Changed, CatalogMissing).
Problem remove(Store& store, const QString& catalog, const NamedValue& listed);
// Deletes every variable of the level, and only those.
void removeAll(Store& store, const QString& catalog);

// Inserts into table, GlobalVariant or a catalog's own table (its indtable), unchecked.
void add(Store& store, const QString& table, const NamedValue& variable);

} // namespace Variables
