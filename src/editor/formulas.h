#pragma once

#include "store/formula.h"

#include <QList>
#include <QString>

class Store;

// Adding and changing formulas, without any widget: the checks in the order the user meets
// them, and the statements of each change, each change one transaction.
namespace Formulas {

// Why a formula is refused; each has its own message.
enum class Problem {
    None,
    BlankInName,
    EmptyName,
    EmptyFunction,
    EmptyUnit,
    EmptyExpression,
    NoParameters,
    BadPrecision,      // not a whole number from 1 to 8
    DefaultNotANumber, // a parameter's default value, by the engine's rules for numbers
    UnusableSymbol,    // a parameter's symbol that no expression can name
    UnprintableFunction, // a line break, a tab, another control character or a look-alike blank
    FunctionTooLong,
    DescriptionTooLong,
    NameInUse,         // a catalog or another formula has that caption
    TableNameInUse,    // a table of that name exists, the fixed tables included
    ReservedName,      // the tree root's key, or SQLite's own prefix
    UnstorableName,    // NUL or a broken character
    UnprintableName,   // as UnprintableFunction
    NameTooLong,
    Missing,           // the formula being changed is gone
    CatalogMissing,    // the catalog to add into is gone: another window renamed or deleted it
    Changed,           // another window changed the formula since the editor read it
};

constexpr int MinPrecision = 1;
constexpr int MaxPrecision = 8;

// The checks of what was typed, both modes, before the library is asked anything: the first
// problem, or all of them in the order the user meets them, one for each field at most.
Problem checkFields(const Formula& formula);
QList<Problem> fieldProblems(const Formula& formula);
Problem checkAdd(Store& store, const QString& name);
// oldName is the formula's current caption; a change of letter case alone is no clash.
Problem checkModify(Store& store, const QString& oldName, const QString& newName);
// Whether the library still holds the formula captioned caption as asRead, what Formula::read()
// gave when an editor opened it: Missing when it is gone, Changed when another window changed it
// since (its computation counter aside), None otherwise.
Problem checkUnchanged(Store& store, const QString& caption, const Formula& asRead);

// Stores a new formula: its table, its formula row, its parameter rows, and its place in the
// tree under parent (a catalog's caption, or empty for the root). CatalogMissing, and nothing
// written, when parent is no longer there.
Problem add(Store& store, const Formula& formula, const QString& parent);
// Rewrites the formula captioned oldName: its formula row (its computation counter kept), all
// its parameter rows, and its caption when formula.name differs. Its table keeps its name.
// asRead is the formula as the editor read it (Formula::read()); Missing or Changed, and nothing
// written, when the library no longer holds it so.
Problem modify(Store& store, const QString& oldName, const Formula& formula, const Formula& asRead);
// The caption of the catalog holding the formula captioned caption; empty for a formula
// directly under the root.
QString catalogOf(Store& store, const QString& caption);

} // namespace Formulas
