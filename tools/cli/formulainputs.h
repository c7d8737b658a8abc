#pragma once

#include "clierror.h"

#include "calc/computation.h"
#include "editor/formulas.h"

#include <QStringList>

class CalcEngine;
class Units;

// The values a computation of a formula takes: its parameters' defaults, replaced by the
// SYMBOL=VALUE arguments of the command line. Parameters without a symbol take no part, as in
// the grid.
struct FormulaInputs
{
    QStringList symbols;
    QStringList values;  // values[i] belongs to symbols[i], as typed or stored
    QStringList units;   // units[i] is the unit of symbols[i]'s parameter
    QStringList given;   // the symbols the arguments named, in their order

    // A usage error for an argument that is not SYMBOL=VALUE or names a symbol twice; a failure
    // for a symbol the formula has no parameter for.
    FormulaInputs(const Formula& formula, const QStringList& assignments);

    const QString& valueOf(const QString& symbol) const { return values.at(symbols.indexOf(symbol)); }
    // The values as the grid would hold them, each with its symbol and unit.
    QList<GridRow> rows() const;
};

// A value given with a unit, in its parameter's unit as the grid converts it ("2500 mm" gives
// "2.5" for a parameter in m); a failure where the grid refuses it.
QString convertedValue(Units& units, const QString& symbol, const QString& text, const QString& unit);

// The formula's result read in unit, as --to asks; a failure, naming the formula, when it
// cannot be read so.
double resultIn(Units& units, const Formula& formula, double result, const QString& unit);

// The engine's last error as a failure of the formula, with the place in the expression it
// points at.
CliError evaluationFailure(const Formula& formula, const CalcEngine& engine);
