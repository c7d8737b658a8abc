#pragma once

#include "calc/computation.h"

#include <QString>

// A computation of the result list as text, told from what it used rather than from what the
// library holds now.
namespace ComputationText {

// For the clipboard: "function = result unit", then "symbol = value unit" for each parameter
// it was computed with, then the result in full where the list shows it rounded.
QString copy(const ComputationRecord& computation);

// All there is to know about it: the formula with the computation's number and time, its
// expression, then what copy() gives.
QString details(const ComputationRecord& computation);

} // namespace ComputationText
