#pragma once

#include "store/namedvalue.h"

#include <QList>
#include <QStringList>

// The checks a parameter typed into the add and modify parameter dialogs passes before it
// goes into the formula editor's list, in the order the user meets them.
namespace ParameterChecks {

enum class Problem {
    None,
    EmptyName,
    EmptySymbol,
    EmptyValue,
    NotNumeral,     // a character other than a digit, a point or a minus sign
    NotANumber,     // numeral, but no number by the engine's rules ("1-2", "-", "1.2.3")
    UnusableSymbol, // a symbol no expression can name
    SymbolInUse,
    UnprintableName, // a line break, a tab, another control character or a look-alike blank
    NameTooLong,
    DescriptionTooLong,
};

// takenSymbols are the symbols the parameter's must differ from, compared exactly. The first
// problem, or all of them in order, one for each field at most.
Problem check(const NamedValue& parameter, const QStringList& takenSymbols);
QList<Problem> problems(const NamedValue& parameter, const QStringList& takenSymbols);

} // namespace ParameterChecks
