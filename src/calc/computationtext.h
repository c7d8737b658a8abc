#pragma once

#include "calc/computation.h"

#include <QString>

// A computation of the result list as text.
namespace ComputationText {

// For the clipboard: "function = result unit", then "symbol = value unit" for each parameter
// it was computed with, then the result in full where the list shows it rounded.
QString copy(const ResultRow& row, const QList<GridParameter>& parameters);

// All there is to know about it: the formula with the computation's number and time, its
// expression, then what copy() gives.
QString details(const ResultRow& row, const QString& expression, const QList<GridParameter>& parameters);

} // namespace ComputationText
