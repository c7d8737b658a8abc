#include "calc/computationtext.h"

#include "calc/resultformat.h"
#include "store/formula.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Old texts longer than this are named rather than quoted: the status line has one line.
constexpr qsizetype Quotable = 40;

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

QString was(const QString& what, const QString& old)
{
    if (old.size() > Quotable)
        return what + QStringLiteral(" has changed");
    return what + QStringLiteral(" was ") + (old.isEmpty() ? QStringLiteral("none") : old);
}

// What the computation used that the formula now has otherwise, one phrase each.
QStringList changes(const ComputationRecord& made, const Formula& now)
{
    QStringList changed;
    if (made.function != now.function)
        changed << was(QStringLiteral("function name"), made.function);
    if (made.expression != now.expression)
        changed << was(QStringLiteral("expression"), made.expression);
    if (made.unit != now.unit)
        changed << was(QStringLiteral("result unit"), made.unit);
    if (made.precision != now.precision.trimmed().toInt())
        changed << QStringLiteral("precision was %1 decimal places").arg(made.precision);

    QStringList symbols;
    for (const GridRow& parameter : made.parameters)
        symbols << parameter.symbol;
    QStringList symbolsNow;
    QHash<QString, QString> unitsNow;
    for (const NamedValue& parameter : now.parameters) {
        symbolsNow << parameter.symbol;
        unitsNow.insert(parameter.symbol, parameter.unit);
    }
    if (symbols != symbolsNow)
        changed << was(QStringLiteral("parameter list"), symbols.join(QStringLiteral(", ")));
    for (const GridRow& parameter : made.parameters) {
        const auto unit = unitsNow.constFind(parameter.symbol);
        if (unit != unitsNow.cend() && *unit != parameter.unit)
            changed << was(QStringLiteral("unit of ") + parameter.symbol, parameter.unit);
    }
    return changed;
}

} // namespace

QString ComputationText::copy(const ComputationRecord& computation)
{
    QStringList lines{assignment(computation.function, computation.result(), computation.unit)};
    for (const GridRow& parameter : computation.parameters)
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

QString ComputationText::resultNote(const ComputationRecord& computation)
{
    if (!std::isfinite(computation.value) || computation.value == 0)
        return {};
    const QString shown = computation.result();
    if (std::any_of(shown.cbegin(), shown.cend(), [](QChar digit) { return digit >= u'1' && digit <= u'9'; }))
        return {};
    return QStringLiteral("Result in full: %1 (the list shows %2)")
        .arg(assignment(computation.function, fullPrecision(computation.value), computation.unit),
             shown.isEmpty() ? QStringLiteral("none of it") : shown);
}

QString ComputationText::recallNote(const ComputationRecord& computation, const std::optional<Formula>& now)
{
    QStringList notes;
    if (now) {
        if (const QStringList changed = changes(computation, *now); !changed.isEmpty())
            notes << QStringLiteral("Computed with an earlier version of this formula: ") + changed.join(QStringLiteral("; "));
    }
    notes << resultNote(computation);
    return joinNotes(notes);
}

QString ComputationText::inUnit(const ComputationRecord& computation, const QString& unit,
                                const UnitConversion::Reading& reading)
{
    if (reading.value)
        return QStringLiteral("%1 = %2").arg(computation.function, reading.text);
    return QStringLiteral("%1 cannot be shown in %2: %3").arg(computation.function, unit, reading.problem);
}

QString ComputationText::joinNotes(const QStringList& notes)
{
    QStringList said = notes;
    said.removeAll(QString());
    return said.join(QStringLiteral(" — "));
}
