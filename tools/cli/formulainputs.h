#pragma once

#include "clierror.h"

#include "editor/formulas.h"

#include <QStringList>

class CalcEngine;

// The values a computation of a formula takes: its parameters' defaults, replaced by the
// SYMBOL=VALUE arguments of the command line. Parameters without a symbol take no part, as in
// the grid.
struct FormulaInputs
{
    QStringList symbols;
    QStringList values;  // values[i] belongs to symbols[i], as typed or stored
    QStringList given;   // the symbols the arguments named, in their order

    // A usage error for an argument that is not SYMBOL=VALUE or names a symbol twice; a failure
    // for a symbol the formula has no parameter for.
    FormulaInputs(const Formula& formula, const QStringList& assignments);

    const QString& valueOf(const QString& symbol) const { return values.at(symbols.indexOf(symbol)); }
};

// The engine's last error as a failure of the formula, with the place in the expression it
// points at.
CliError evaluationFailure(const Formula& formula, const CalcEngine& engine);
