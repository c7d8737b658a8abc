#pragma once

#include <QList>
#include <QString>

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
