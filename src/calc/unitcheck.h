#pragma once

#include "store/namedvalue.h"

#include <QList>
#include <QString>

class CalcEngine;
class Units;

// Whether a formula's units agree: the unit its expression gives, worked out from its
// parameters' units, against the unit of its result. Only the kinds are compared, not the
// factors: M*1000/W with M in N·m, W in mm³ and the result in N/mm² agrees, its 1000 being the
// formula's own conversion. A disagreement is a warning, never a refusal: an empirical formula
// may hold constants that carry units of their own.
//
// No algebra is done on the expression. The engine computes it at the parameters' default
// values, then again with the values scaled as their units say, one base dimension at a time
// (every length doubled and halved, a velocity with it, an area twice over; then the masses, …).
// The result of an expression whose units agree scales exactly as its own unit says, so sqrt,
// ^ and every other function need no rule of their own; a function that takes a plain number
// (sin, exp, ln, …) and is handed a value that scales is named.
namespace UnitCheck {

enum class Verdict {
    Agree,
    Disagree,
    NotUnderstood, // the result's or a parameter's unit is a label: nothing is checked
    Unchecked,     // the expression cannot be computed, or gives nothing to compare
};

struct Outcome
{
    Verdict verdict = Verdict::Unchecked;
    // One line for the user: "Units agree", "The expression gives kg·m/s² (N) where the result
    // is in kW", "The unit of L, "xyz", is not understood", "sin is taken of a quantity in m,
    // which is not dimensionless". Empty when the expression cannot be computed: its own check
    // says why.
    QString text;
};

// parameters: those whose symbol can be a parameter's take part, as Calculate binds them.
Outcome check(Units& units, CalcEngine& engine, const QString& expression, const QString& resultUnit,
              const QList<NamedValue>& parameters);

} // namespace UnitCheck
