#include "variables/parameterchecks.h"

#include "calc/calcengine.h"
#include "store/textrules.h"
#include "variables/numeral.h"

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
