#pragma once

#include "store/namedvalue.h"

#include <QList>
#include <QStringList>

// The numeral check of values and default values: every character is a digit 0-9, a point or
// a minus sign. The text is not read as a number, so "1-2" and "." pass; an empty text passes
// too (its emptiness has a message of its own).
bool isNumeral(const QString& text);
// Whether the text is a number by the engine's rules.
bool isNumber(const QString& text);

// Appends to the problems of a variable or a parameter what is wrong with its value, if
// anything: empty, not numeral, or numeral and still no number ("1-2", "-", "1.2.3").
template<typename Problem>
void appendValueProblem(QList<Problem>& problems, const QString& value)
{
    if (value.isEmpty())
        problems << Problem::EmptyValue;
    else if (!isNumeral(value))
        problems << Problem::NotNumeral;
    else if (!isNumber(value))
        problems << Problem::NotANumber;
}

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
