#pragma once

#include <QString>

// The numeral check of values and default values: every character is a digit 0-9, a point or
// a minus sign. The text is not read as a number, so "1-2" and "." pass; an empty text passes
// too (its emptiness has a message of its own).
bool isNumeral(const QString& text);
