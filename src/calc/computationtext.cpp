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
QString fullResult(const ComputationRecord& computation)
{
    if (!std::isfinite(computation.value))
        return {};
    bool shown = false;
    const double rounded = computation.result().toDouble(&shown);
    if (shown && rounded == computation.value)
        return {};
    return fullPrecision(computation.value);
}

} // namespace

QString ComputationText::copy(const ComputationRecord& computation)
{
    QStringList lines{assignment(computation.function, computation.result(), computation.unit)};
    for (const GridParameter& parameter : computation.parameters)
        lines << assignment(parameter.symbol, parameter.input, parameter.unit);
    if (const QString full = fullResult(computation); !full.isEmpty())
        lines << assignment(computation.function, full, computation.unit) + QStringLiteral(" (full precision)");
    return lines.join(u'\n');
}

QString ComputationText::details(const ComputationRecord& computation)
{
    return QStringLiteral("%1, computation %2 at %3\n%4 = %5\n")
               .arg(computation.formula, computation.number, computation.time, computation.function,
                    computation.expression)
        + copy(computation);
}
