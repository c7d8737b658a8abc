#include "calc/sweep.h"

#include "calc/calcengine.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// value rounded to decimals places, as a decimal number reads: the double nearest to it.
double roundedTo(double value, int decimals)
{
    char text[700]; // the longest fixed form of a double, 309 digits, with up to 340 places
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::from_chars(text, written.ptr, value);
    return value;
}

} // namespace

std::optional<Sweep::Range> Sweep::Range::parse(const QString& text, QString& problem)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    std::optional<double> numbers[3];
    for (qsizetype i = 0; i < parts.size() && i < 3; ++i)
        numbers[i] = CalcEngine::number(parts.at(i));
    if (parts.size() != 3 || !numbers[0] || !numbers[1] || !numbers[2]) {
        problem = QStringLiteral("is not FROM:TO:STEP in numbers");
        return std::nullopt;
    }
    return stepped(*numbers[0], *numbers[1], *numbers[2], problem);
}

std::optional<Sweep::Range> Sweep::Range::stepped(double from, double to, double step, QString& problem)
{
    const Range range{from, to, std::fabs(step)};
    if (range.step == 0 && range.from != range.to) {
        problem = QStringLiteral("has a step of zero");
        return std::nullopt;
    }
    // Also a span beyond what a double holds, whose count of values is NaN.
    if (range.step != 0 && !(std::fabs(range.to - range.from) / range.step < double(MaxPoints))) {
        problem = QStringLiteral("has more than %1 values").arg(MaxPoints);
        return std::nullopt;
    }
    return range;
}

std::optional<Sweep::Range> Sweep::Range::counted(double from, double to, double count, QString& problem)
{
    if (!(count >= 2 && count <= double(MaxPoints) && count == std::floor(count))) {
        problem = QStringLiteral("is not a whole number from 2 to %1").arg(MaxPoints);
        return std::nullopt;
    }
    return stepped(from, to, std::fabs(to - from) / (count - 1), problem);
}

std::vector<double> Sweep::Range::values() const
{
    const double span = std::fabs(to - from);
    // A hair of slack, so that a last value that the step's rounding puts just past to still counts.
    const std::size_t steps = step == 0 ? 0 : std::size_t(std::floor(span / step * (1 + 1e-12)));
    const double signedStep = to < from ? -step : step;
    // Fifteen significant digits of the range's largest value: all that a double holds for sure.
    const double scale = std::max(std::fabs(from), std::fabs(to));
    const int decimals = scale == 0 ? 0 : std::clamp(14 - int(std::floor(std::log10(scale))), 0, 340);
    std::vector<double> values;
    values.reserve(steps + 1);
    for (std::size_t i = 0; i <= steps; ++i)
        values.push_back(roundedTo(from + double(i) * signedStep, decimals));
    return values;
}

std::vector<double> Sweep::run(CalcEngine& engine, std::vector<double> values, const Axis& inner,
                               const std::optional<Axis>& outer)
{
    const std::vector<double> once{0};
    const std::vector<double>& outerValues = outer ? outer->values : once;
    std::vector<double> results;
    results.reserve(inner.values.size() * outerValues.size());
    for (const double outerValue : outerValues) {
        if (outer)
            values[outer->parameter] = outerValue;
        for (const double innerValue : inner.values) {
            values[inner.parameter] = innerValue;
            results.push_back(engine.evaluate(values));
        }
    }
    return results;
}
