#include "formulainputs.h"

#include "calc/calcengine.h"
#include "calc/resultformat.h"

FormulaInputs::FormulaInputs(const Formula& formula, const QStringList& assignments)
{
    for (const NamedValue& parameter : formula.parameters) {
        if (!parameter.symbol.isEmpty()) {
            symbols.append(parameter.symbol);
            values.append(parameter.value);
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

QString resultText(double result, int precision)
{
    const QString text = formatResult(result, precision);
    return text.isEmpty() ? QString::number(result, 'g', 17) : text;
}

CliError evaluationFailure(const Formula& formula, const CalcEngine& engine)
{
    QString message = formula.name + QLatin1String(": ") + engine.errorMessage();
    if (engine.errorPosition() >= 0) {
        message += QStringLiteral(" (at character %1 of the expression %2)")
                       .arg(engine.errorPosition() + 1)
                       .arg(formula.expression);
    }
    return failure(message);
}
