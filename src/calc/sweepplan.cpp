#include "calc/sweepplan.h"

#include "calc/calcengine.h"
#include "store/formula.h"

#include <algorithm>

QStringList SweepPlan::symbolsOf(const Formula& formula)
{
    QStringList symbols;
    for (const NamedValue& parameter : formula.parameters) {
        if (!parameter.symbol.isEmpty())
            symbols.append(parameter.symbol);
    }
    return symbols;
}

std::size_t SweepPlan::pointCount() const
{
    std::size_t count = axes.empty() ? 0 : 1;
    for (const Sweep::Axis& axis : axes)
        count *= axis.values.size();
    return count;
}

QString SweepPlan::pointsProblem() const
{
    // Counted as doubles: two axes of MaxPoints values each would overflow nothing then.
    double count = axes.empty() ? 0 : 1;
    for (const Sweep::Axis& axis : axes)
        count *= double(axis.values.size());
    if (count <= double(Sweep::MaxPoints))
        return {};
    return QStringLiteral("The sweep has %1 points; it may have at most %2.").arg(count, 0, 'f', 0).arg(Sweep::MaxPoints);
}

QString SweepPlan::curvesProblem() const
{
    if (axes.size() < 2 || axes[1].values.size() <= SweepChart::MaxCurves)
        return {};
    return QStringLiteral("The chart would have %1 curves, one for each value of %2; it can show at most %3. "
                          "Give %2 a larger step or a shorter range.")
        .arg(axes[1].values.size())
        .arg(sweptSymbol(1))
        .arg(SweepChart::MaxCurves);
}

std::optional<SweepTable> Sweep::compute(const Formula& formula, const SweepPlan& plan, CalcEngine& engine)
{
    if (engine.compile(formula.expression, plan.symbols) != CalcEngine::NoError)
        return std::nullopt;
    const std::optional<Axis> outer = plan.axes.size() == 2 ? std::optional(plan.axes[1]) : std::nullopt;
    std::vector<double> results = run(engine, plan.values, plan.axes.front(), outer);

    SweepTable table;
    table.precision = formula.precision.toInt();
    const std::size_t inner = plan.axes.front().values.size();
    for (std::size_t a = 0; a < plan.axes.size(); ++a) {
        const QString& symbol = plan.sweptSymbol(a);
        table.header.append(withUnit(symbol, parameterOf(formula, symbol).unit));
        std::vector<double> column(results.size());
        for (std::size_t row = 0; row < results.size(); ++row)
            column[row] = plan.axes[a].values[a == 0 ? row % inner : row / inner];
        table.columns.push_back(std::move(column));
    }
    table.header.append(withUnit(formula.function, formula.unit));
    table.columns.push_back(std::move(results));
    return table;
}

SweepChart Sweep::chart(const Formula& formula, const SweepPlan& plan, const SweepTable& table)
{
    const NamedValue& x = parameterOf(formula, plan.sweptSymbol(0));
    SweepChart chart{formula.name, parameterTitle(x), withUnit(formula.function, formula.unit), {}};
    const std::size_t inner = plan.axes.front().values.size();
    for (std::size_t first = 0; first < table.rowCount(); first += inner) {
        SweepChart::Curve curve;
        if (plan.axes.size() == 2) {
            curve.label = withUnit(plan.sweptSymbol(1) + QLatin1String(" = ") + table.rowTexts(first).at(1),
                                   parameterOf(formula, plan.sweptSymbol(1)).unit);
        }
        curve.points.reserve(qsizetype(inner));
        for (std::size_t row = first; row < first + inner; ++row)
            curve.points.append(QPointF(table.columns.front()[row], table.columns.back()[row]));
        chart.curves.append(curve);
    }
    return chart;
}

QString Sweep::withUnit(const QString& title, const QString& unit)
{
    return unit.isEmpty() ? title : title + QLatin1String(" [") + unit + QLatin1Char(']');
}

const NamedValue& Sweep::parameterOf(const Formula& formula, const QString& symbol)
{
    return *std::find_if(formula.parameters.cbegin(), formula.parameters.cend(),
                         [&symbol](const NamedValue& parameter) { return parameter.symbol == symbol; });
}

QString Sweep::parameterTitle(const NamedValue& parameter)
{
    return withUnit(parameter.name + QLatin1Char(' ') + parameter.symbol, parameter.unit);
}

QString formulaFailure(const Formula& formula, const CalcEngine& engine)
{
    QString message = formula.name + QLatin1String(": ") + engine.errorMessage();
    if (engine.errorPosition() >= 0) {
        message += QStringLiteral(" (at character %1 of the expression %2)")
                       .arg(engine.errorPosition() + 1)
                       .arg(formula.expression);
    }
    return message;
}
