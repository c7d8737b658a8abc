#include "editor/expressioncheck.h"

#include "calc/calcengine.h"
#include "calc/parameterstring.h"

namespace {

// The symbol that starts at position of expression.
QString symbolAt(const QString& expression, qsizetype position)
{
    qsizetype end = position;
    while (end < expression.size()
           && (expression.at(end).isLetterOrNumber() || expression.at(end) == QLatin1Char('_')
               || expression.at(end).isSurrogate()))
        ++end;
    return expression.mid(position, end - position);
}

} // namespace

QString expressionProblem(CalcEngine& engine, const QString& expression, const QList<NamedValue>& parameters,
                          const QStringList& variableSymbols)
{
    // An empty expression has a message of its own when the formula is saved.
    if (expression.isEmpty())
        return {};
    QList<ParameterString::Pair> pairs;
    for (const NamedValue& parameter : parameters) {
        if (CalcEngine::isParameterSymbol(parameter.symbol))
            pairs.append({parameter.symbol, QStringLiteral("1")});
    }
    double result = 0;
    int error = CalcEngine::NoError;
    engine.Evaluate(expression, ParameterString::build(pairs).value_or(QString()), result, error);
    if (error == CalcEngine::NoError || error == CalcEngine::ResultNotFinite)
        return {};
    QString problem = engine.errorMessage();
    const qsizetype position = engine.errorPosition();
    if (error == CalcEngine::UnknownSymbol && variableSymbols.contains(symbolAt(expression, position)))
        problem += QStringLiteral(" It is a variable: copy it into the parameters with >>.");
    if (position >= 0)
        problem = QStringLiteral("Character %1: %2").arg(position + 1).arg(problem);
    return problem;
}
