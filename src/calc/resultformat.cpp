#include "calc/resultformat.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace {

// The shortest decimal that reads back as value, as its significant digits and the place of
// the point: value = 0.digits × 10^point. It is the number the user typed or expects, which
// the nearest double often misses by a hair that must not decide the rounding.
struct Decimal
{
    std::string digits;
    int point = 0;
};

Decimal shortestDecimal(double magnitude)
{
    char text[32]; // "d.dddddddddddddddde+ddd" fits
    const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    const std::string scientific(text, written.ptr);
    const std::size_t e = scientific.find('e');
    Decimal decimal;
    for (std::size_t i = 0; i < e; ++i) {
        if (scientific[i] != '.')
            decimal.digits += scientific[i];
    }
    decimal.point = std::stoi(scientific.substr(e + 1)) + 1;
    return decimal;
}

} // namespace

QString formatResult(double value, int preci)
{
    if (preci < 1 || preci > 8 || !std::isfinite(value))
        return {};
    const Decimal decimal = shortestDecimal(std::fabs(value));

    // The digits of round(|value| × 10^preci), decided by the first digit dropped.
    const int kept = decimal.point + preci;
    std::string units = kept > 0 ? decimal.digits.substr(0, static_cast<std::size_t>(kept)) : std::string();
    if (kept > 0 && units.size() < static_cast<std::size_t>(kept))
        units.append(static_cast<std::size_t>(kept) - units.size(), '0');
    const bool roundUp = kept >= 0 && static_cast<std::size_t>(kept) < decimal.digits.size()
        && decimal.digits[static_cast<std::size_t>(kept)] >= '5';
    if (roundUp) {
        auto digit = units.rbegin();
        for (; digit != units.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit == units.rend())
            units.insert(units.begin(), '1');
        else
            ++*digit;
    }

    const bool zero = units.find_first_not_of('0') == std::string::npos;
    if (units.size() < static_cast<std::size_t>(preci) + 1)
        units.insert(0, static_cast<std::size_t>(preci) + 1 - units.size(), '0');
    units.insert(units.size() - static_cast<std::size_t>(preci), 1, '.');
    if (value < 0 && !zero)
        units.insert(units.begin(), '-');
    return QString::fromLatin1(units.data(), static_cast<qsizetype>(units.size()));
}

QString fullPrecision(double value)
{
    if (!std::isfinite(value))
        return {};
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString resultText(double value, int preci)
{
    const QString text = formatResult(value, preci);
    return text.isEmpty() ? fullPrecision(value) : text;
}
