#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Store;

// One parameter row of a formula: the symbol the expression uses, and its default value.
struct FormulaParameter
{
    QString name;
    QString symbol;
    QString unit;
    QString value;
    QString description;

    // In the order of a list row: symbol, name, value, unit, description.
    QStringList listFields() const { return {symbol, name, value, unit, description}; }
    static FormulaParameter fromListFields(const QStringList& fields)
    {
        return {fields.value(1), fields.value(0), fields.value(3), fields.value(2), fields.value(4)};
    }
    friend bool operator==(const FormulaParameter& a, const FormulaParameter& b) { return a.listFields() == b.listFields(); }
};

struct Formula
{
    QString name;       // caption in the tree, and the name of its table
    QString function;   // the symbol of the result
    QString unit;
    QString expression;
    QString description;
    QString precision;  // decimal places of the shown result, 1 to 8
    QList<FormulaParameter> parameters;

    friend bool operator==(const Formula& a, const Formula& b)
    {
        return a.name == b.name && a.function == b.function && a.unit == b.unit && a.expression == b.expression
            && a.description == b.description && a.precision == b.precision && a.parameters == b.parameters;
    }
};

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

// Stores a new formula: its table, its formula row, its parameter rows, and its place in the
// tree under parent (a catalog's caption, or empty for the root). CatalogMissing, and nothing
// written, when parent is no longer there.
Problem add(Store& store, const Formula& formula, const QString& parent);
// Rewrites the formula captioned oldName: its formula row (its computation counter kept), all
// its parameter rows, and its caption when formula.name differs. Its table keeps its name.
// asRead is the formula as the editor read it (read()); Missing or Changed, and nothing
// written, when the library no longer holds it so.
Problem modify(Store& store, const QString& oldName, const Formula& formula, const Formula& asRead);
// The caption of the catalog holding the formula captioned caption; empty for a formula
// directly under the root.
QString catalogOf(Store& store, const QString& caption);

} // namespace Formulas
