#pragma once

#include <QString>

// The result as the result list shows it: preci (1 to 8) digits after the point, at least one
// before it, rounded half away from zero as the value reads in decimal, so 2.675 gives "2.68"
// although the double lies just below. A '.' and no grouping on every machine; large values in
// full digits; a value that rounds to zero never shows a minus sign. Any other preci, and a
// value that is not finite, give an empty text.
QString formatResult(double value, int preci);

// Every digit of value: the shortest text that reads back as the same double ("0.98032",
// "1.2e-06"), with a '.' on every machine. For numbers that leave the window as data, where
// the list's rounding would lose what the engine computed. Empty when value is not finite.
QString fullPrecision(double value);

// The result as the result list shows it, to preci decimals; in full when preci is not one the
// list can show.
QString resultText(double value, int preci);
