#pragma once

#include "calc/sweep.h"
#include "calc/sweepchart.h"
#include "calc/sweeptable.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class CalcEngine;
struct Formula;
struct NamedValue;

// A formula swept over one or two of its parameters, the others held at one value each: what
// the engine computes, and what comes of it as a table and a chart. The command line and the
// sweep window each set one up their own way and share the rest.
struct SweepPlan
{
    QStringList symbols;           // the formula's parameters that have one, in order: what the engine is set up for
    std::vector<double> values;    // one per symbol; a swept one's is replaced point by point
    std::vector<Sweep::Axis> axes; // the first varies fastest and runs along the chart; a second draws a curve per value

    // The symbols of the formula's parameters, as the grid hands them to the engine: those
    // without one take no part.
    static QStringList symbolsOf(const Formula& formula);

    std::size_t pointCount() const;
    const QString& sweptSymbol(std::size_t axis) const { return symbols.at(qsizetype(axes.at(axis).parameter)); }
    // Why the plan is not computed: more points than Sweep::MaxPoints. Empty when it may be.
    QString pointsProblem() const;
    // Why no chart is drawn of it: more curves than a chart tells apart. Empty when one may be.
    QString curvesProblem() const;
};

namespace Sweep {

// The formula at every point of the plan, as a table: a column per swept parameter, then the
// result. nullopt when the engine refuses the expression or the symbols; see formulaFailure().
std::optional<SweepTable> compute(const Formula& formula, const SweepPlan& plan, CalcEngine& engine);
// The table's result against the first swept parameter, a curve for each value of the second.
SweepChart chart(const Formula& formula, const SweepPlan& plan, const SweepTable& table);
// "title [unit]", or the title alone for no unit: how headings and axes name a quantity.
QString withUnit(const QString& title, const QString& unit);
// The formula's parameter of that symbol, which it must have.
const NamedValue& parameterOf(const Formula& formula, const QString& symbol);
// "Launch angle alpha [°]": how the chart's axis and the sweep window name a parameter.
QString parameterTitle(const NamedValue& parameter);

} // namespace Sweep

// The engine's last error as a sentence about the formula, with the place in the expression it
// points at.
QString formulaFailure(const Formula& formula, const CalcEngine& engine);
