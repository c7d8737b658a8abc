#include "variables/parameterchecks.h"

#include "calc/calcengine.h"
#include "variables/numeral.h"

ParameterChecks::Problem ParameterChecks::check(const FormulaParameter& parameter, const QStringList& takenSymbols)
{
    // The name is asked for before the symbol, although the symbol's box stands above it.
    if (parameter.name.isEmpty())
        return Problem::EmptyName;
    if (parameter.symbol.isEmpty())
        return Problem::EmptySymbol;
    if (parameter.value.isEmpty())
        return Problem::EmptyValue;
    if (!isNumeral(parameter.value))
        return Problem::NotNumeral;
    if (!CalcEngine::number(parameter.value))
        return Problem::NotANumber;
    if (!CalcEngine::isParameterSymbol(parameter.symbol))
        return Problem::UnusableSymbol;
    if (takenSymbols.contains(parameter.symbol, Qt::CaseSensitive))
        return Problem::SymbolInUse;
    return Problem::None;
}
