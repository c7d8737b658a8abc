#pragma once

#include "editor/formulas.h"

#include <optional>

namespace Formulas {
// The formula captioned caption as the library holds it, its texts as the user sees them and
// its parameters in list order: what add() would store again. nullopt when no formula has that
// caption, or its own table or row is gone.
std::optional<Formula> read(Store& store, const QString& caption);
// Whether the library still holds the formula captioned caption as asRead, what read() gave
// when an editor opened it: Missing when it is gone, Changed when another window changed it
// since (its computation counter aside), None otherwise.
Problem checkUnchanged(Store& store, const QString& caption, const Formula& asRead);
}
