#include "variables/parameterchecks.h"

#include "calc/calcengine.h"
#include "store/textrules.h"

bool isNumeral(const QString& text)
{
    for (const QChar c : text) {
        if (!(c.unicode() >= '0' && c.unicode() <= '9') && c != QLatin1Char('.') && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

bool isNumber(const QString& text)
{
    return CalcEngine::number(text).has_value();
}

ParameterChecks::Problem ParameterChecks::check(const NamedValue& parameter, const QStringList& takenSymbols)
{
    return problems(parameter, takenSymbols).value(0, Problem::None);
}

QList<ParameterChecks::Problem> ParameterChecks::problems(const NamedValue& parameter, const QStringList& takenSymbols)
{
    QList<Problem> problems;
    // The name is asked for before the symbol, although the symbol's box stands above it.
    if (parameter.name.isEmpty())
        problems << Problem::EmptyName;
    if (parameter.symbol.isEmpty())
        problems << Problem::EmptySymbol;
    appendValueProblem(problems, parameter.value);
    // An empty symbol is told about above.
    const bool symbolGiven = !parameter.symbol.isEmpty();
    if (symbolGiven && !CalcEngine::isParameterSymbol(parameter.symbol))
        problems << Problem::UnusableSymbol;
    else if (symbolGiven && takenSymbols.contains(parameter.symbol, Qt::CaseSensitive))
        problems << Problem::SymbolInUse;
    TextRules::appendNameAndDescriptionProblems(problems, parameter.name, parameter.description);
    return problems;
}
