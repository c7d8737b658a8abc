#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Store;

// A named constant: global (a row of GlobalVariant) or of one catalog (a row of its table).
struct Variable
{
    QString name;
    QString symbol;
    QString unit;
    QString value;
    QString description;
};

// What tells a variable from the others of its level: symbol and name, compared exactly.
struct VariableKey
{
    QString symbol;
    QString name;
};

// Defining, changing and deleting variables, without any widget. A level of the tree is named
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
    Missing,         // the catalog, or the variable being changed, is no longer in the library
    UnprintableName, // a line break, a tab, another control character or a look-alike blank
    NameTooLong,
    DescriptionTooLong,
};

// The checks of the fields, in the order the dialog makes them: the first problem, or all
// of them, one for each field at most.
Problem checkFields(const Variable& variable);
QList<Problem> fieldProblems(const Variable& variable);
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
Problem define(Store& store, const QString& catalog, const Variable& variable);
// Rewrites the variable of the level known by key.
Problem change(Store& store, const QString& catalog, const VariableKey& key, const Variable& changed);
// Deletes the variable known by key; one already gone is no error.
void remove(Store& store, const QString& catalog, const VariableKey& key);
// Deletes every variable of the level, and only those.
void removeAll(Store& store, const QString& catalog);

// Inserts into table, GlobalVariant or a catalog's own table (its indtable), unchecked.
void add(Store& store, const QString& table, const Variable& variable);

} // namespace Variables
