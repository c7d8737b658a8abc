#pragma once

#include <QString>
#include <optional>

// Values of variables and default values of parameters, as the library keeps them: decimals
// of four places (NUMERIC(28,4) in every table that holds them).
namespace StoredValue {

constexpr int Decimals = 4;

// What the library keeps of value, written with four decimal places, when keeping it changes
// the number; nullopt when the number is kept exactly, or is none the library takes.
std::optional<QString> rounded(const QString& value);

} // namespace StoredValue
