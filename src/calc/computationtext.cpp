#include "calc/computationtext.h"

#include "calc/resultformat.h"

#include <QStringList>
#include <cmath>

namespace {

// "symbol = value unit", without a trailing blank when there is no unit.
QString assignment(const QString& symbol, const QString& value, const QString& unit)
{
    const QString line = symbol + QStringLiteral(" = ") + value;
    return unit.isEmpty() ? line : line + u' ' + unit;
}

// The result in full when the shown one is rounded or missing; empty otherwise.
QString fullResult(const ResultRow& row)
{
    if (!std::isfinite(row.value))
        return {};
    bool shown = false;
    const double rounded = row.result.toDouble(&shown);
    if (shown && rounded == row.value)
        return {};
    return fullPrecision(row.value);
}

} // namespace

QString ComputationText::copy(const ResultRow& row, const QList<GridParameter>& parameters)
{
    QStringList lines{assignment(row.function, row.result, row.unit)};
    for (const GridParameter& parameter : parameters)
        lines << assignment(parameter.symbol, parameter.input, parameter.unit);
    if (const QString full = fullResult(row); !full.isEmpty())
        lines << assignment(row.function, full, row.unit) + QStringLiteral(" (full precision)");
    return lines.join(u'\n');
}

QString ComputationText::details(const ResultRow& row, const QString& expression, const QList<GridParameter>& parameters)
{
    return QStringLiteral("%1, computation %2 at %3\n%4 = %5\n")
               .arg(row.formula, row.number, row.time, row.function, expression)
        + copy(row, parameters);
}
