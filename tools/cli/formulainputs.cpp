#include "formulainputs.h"

#include "calc/calcengine.h"
#include "calc/sweepplan.h"
#include "calc/unitconversion.h"

FormulaInputs::FormulaInputs(const Formula& formula, const QStringList& assignments)
{
    for (const NamedValue& parameter : formula.parameters) {
        if (!parameter.symbol.isEmpty()) {
            symbols.append(parameter.symbol);
            values.append(parameter.value);
            units.append(parameter.unit);
        }
    }
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (equals <= 0)
            throw usageError(QStringLiteral("\"%1\" is not SYMBOL=VALUE.").arg(assignment));
        const QString symbol = assignment.left(equals);
        if (given.contains(symbol))
            throw usageError(QStringLiteral("%1 is given twice.").arg(symbol));
        const qsizetype index = symbols.indexOf(symbol);
        if (index < 0) {
            throw failure(QStringLiteral("%1 has no parameter %2; its parameters are %3.")
                              .arg(formula.name, symbol, symbols.join(QLatin1String(", "))));
        }
        values[index] = assignment.mid(equals + 1);
        // The parameter string that carries values to the engine has no room for these.
        if (values[index].contains(QLatin1Char('#')) || values[index].contains(QLatin1Char('|')))
            throw failure(QStringLiteral("The value of %1, \"%2\", is not a number.").arg(symbol, values[index]));
        given.append(symbol);
    }
}

QList<GridRow> FormulaInputs::rows() const
{
    QList<GridRow> rows;
    for (qsizetype i = 0; i < symbols.size(); ++i)
        rows.append({{QString(), symbols.at(i), units.at(i), QString(), QString()}, values.at(i)});
    return rows;
}

QString convertedValue(Units& units, const QString& symbol, const QString& text, const QString& unit)
{
    const UnitConversion::Input input = UnitConversion::input(units, symbol, text, unit);
    if (!input.refusal.isEmpty())
        throw failure(input.refusal);
    return input.value;
}

double resultIn(Units& units, const Formula& formula, double result, const QString& unit)
{
    const UnitConversion::Reading reading = UnitConversion::read(units, result, formula.unit, unit);
    if (!reading.value)
        throw failure(formula.name + QLatin1String(": ") + reading.problem);
    return *reading.value;
}

CliError evaluationFailure(const Formula& formula, const CalcEngine& engine)
{
    return failure(formulaFailure(formula, engine));
}
