#include "calc/unitconversion.h"

#include "calc/calcengine.h"
#include "calc/resultformat.h"
#include "calc/units.h"

#include <QLocale>

std::optional<UnitConversion::Quantity> UnitConversion::quantity(const QString& text)
{
    const std::optional<CalcEngine::LeadingNumber> number = CalcEngine::leadingNumber(text);
    if (!number)
        return std::nullopt;
    return Quantity{number->value, number->number, number->rest.trimmed()};
}

UnitConversion::Input UnitConversion::input(Units& units, const QString& symbol, const QString& text, const QString& unit)
{
    // Bare numbers, nearly every input, never reach the units.
    const std::optional<Quantity> given = quantity(text);
    if (!given || given->unit.isEmpty())
        return {text, {}, {}};
    if (given->unit == unit.trimmed())
        return {given->number, {}, {}};
    const std::optional<Units::Unit> from = units.find(given->unit);
    if (!from)
        return {text, {}, {}};
    const QString typed = given->number + QLatin1Char(' ') + given->unit;
    const std::optional<Units::Unit> to = units.find(unit);
    if (!to) {
        return {text, {},
                QStringLiteral("%1: %2 cannot be converted to \"%3\", a unit that is not understood.").arg(symbol, typed, unit)};
    }
    if (!from->sameKind(*to))
        return {text, {}, QStringLiteral("%1: %2 cannot be converted to %3, the unit of %1.").arg(symbol, typed, Units::shown(unit))};
    const QString value = fullPrecision(Units::convert(given->value, *from, *to));
    // "x: 50 % = 0.5", not "= 0.5 -".
    const QString inUnit = Units::normalized(unit) == QLatin1String("1") ? QString() : QLatin1Char(' ') + unit.trimmed();
    return {value, QStringLiteral("%1: %2 = %3%4").arg(symbol, typed, value, inUnit), {}};
}

UnitConversion::Inputs UnitConversion::inputs(Units& units, const QList<GridRow>& rows)
{
    Inputs converted{rows, {}, {}};
    for (GridRow& row : converted.rows) {
        if (row.symbol.isEmpty())
            continue;
        const Input input = UnitConversion::input(units, row.symbol, row.input, row.unit);
        if (!input.refusal.isEmpty()) {
            converted.refusal = input.refusal;
            return converted;
        }
        row.input = input.value;
        if (!input.conversion.isEmpty())
            converted.conversions.append(input.conversion);
    }
    return converted;
}

UnitConversion::Reading UnitConversion::read(Units& units, double value, const QString& fromUnit, const QString& toUnit)
{
    const std::optional<Units::Unit> from = units.find(fromUnit);
    if (!from)
        return {std::nullopt, {}, QStringLiteral("The result's unit, \"%1\", is not understood.").arg(fromUnit)};
    const std::optional<Units::Unit> to = units.find(toUnit);
    if (!to)
        return {std::nullopt, {}, QStringLiteral("\"%1\" is not understood as a unit.").arg(toUnit.trimmed())};
    if (!from->sameKind(*to))
        return {std::nullopt, {}, QStringLiteral("%1 cannot be converted to %2.").arg(Units::shown(fromUnit), Units::shown(toUnit))};
    const double converted = Units::convert(value, *from, *to);
    return {converted, (fullPrecision(converted) + QLatin1Char(' ') + toUnit.trimmed()).trimmed(), {}};
}

std::optional<QString> UnitConversion::defaultValue(Units& units, const QString& value, const QString& variableUnit,
                                                    const QString& parameterUnit)
{
    if (variableUnit.trimmed() == parameterUnit.trimmed())
        return std::nullopt;
    const std::optional<double> number = CalcEngine::number(value);
    const std::optional<Units::Unit> from = units.find(variableUnit);
    const std::optional<Units::Unit> to = units.find(parameterUnit);
    if (!number || !from || !to || !from->sameKind(*to))
        return std::nullopt;
    // Plain decimals: the parameter list takes no exponent.
    return QString::number(Units::convert(*number, *from, *to), 'f', QLocale::FloatingPointShortest);
}
