#pragma once

#include "editor/formulas.h"

#include <QString>
#include <QStringList>

class CalcEngine;

// What the engine finds wrong in an expression that is being typed, in one line for the user:
// empty when it computes with the parameters' symbols, otherwise the engine's words and the
// character (counted from 1) where it stopped. Only the expression and the symbols are judged,
// not the default values: a division by zero with them is no fault of the expression, and a
// parameter whose symbol no expression can name is left out (saving names that fault).
// A symbol that is one of variableSymbols but no parameter's is named as a variable still to
// be copied into the parameters, since Calculate binds the parameters alone.
QString expressionProblem(CalcEngine& engine, const QString& expression, const QList<NamedValue>& parameters,
                          const QStringList& variableSymbols);
