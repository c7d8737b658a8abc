#pragma once

#include "calc/computation.h"
#include "calc/unitconversion.h"

#include <QString>
#include <optional>

struct Formula;

// A computation of the result list as text, told from what it used rather than from what the
// library holds now.
namespace ComputationText {

// For the clipboard: "function = result unit", then "symbol = value unit" for each parameter
// it was computed with, then the result in full where the list shows it rounded.
QString copy(const ComputationRecord& computation);

// All there is to know about it: the formula with the computation's number and time, its
// expression, then what copy() gives.
QString details(const ComputationRecord& computation);

// For the status line once it is made or recalled: the result in full where the list shows
// none of its significant digits, a result that is not zero; empty otherwise.
QString resultNote(const ComputationRecord& computation);

// For the status line once it is recalled: what of its formula has changed since, now being
// the formula as the library holds it, then resultNote(); empty when there is nothing to say.
QString recallNote(const ComputationRecord& computation, const std::optional<Formula>& now);

// For the status line and the tooltip: the result read in unit, "Ek = 115.926 kJ", or why it
// cannot be read so.
QString inUnit(const ComputationRecord& computation, const QString& unit, const UnitConversion::Reading& reading);

// Notes for the status line in one line: those that say anything, in order.
QString joinNotes(const QStringList& notes);

} // namespace ComputationText
