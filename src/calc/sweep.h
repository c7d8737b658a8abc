#pragma once

#include <QString>
#include <optional>
#include <vector>

class CalcEngine;

// A formula computed over one or two ranges of its parameters.
namespace Sweep {

// The most points one sweep computes: beyond it a table or chart is of no use to anyone.
constexpr std::size_t MaxPoints = 1'000'000;

// from, from ± step, … up to to, inclusive; the step's sign is taken from the direction of to.
struct Range
{
    double from = 0;
    double to = 0;
    double step = 0;

    // Reads "from:to:step", numbers as the engine reads them; nullopt with the reason in
    // problem ("has a step of zero") for anything else, a zero step, or more than MaxPoints values.
    static std::optional<Range> parse(const QString& text, QString& problem);
    // The same for numbers read already.
    static std::optional<Range> stepped(double from, double to, double step, QString& problem);
    // count values evenly apart, from and to among them (one value when they are equal); nullopt
    // with the reason in problem for fewer than 2 or more than MaxPoints.
    static std::optional<Range> counted(double from, double to, double count, QString& problem);
    // Each value rounded to the 15th significant digit of the range's largest one, so that steps
    // of 0.1 land on 0.3 and on 0, not on 0.30000000000000004 and 5.55e-17: the numbers the user
    // meant, not the sums' rounding errors.
    std::vector<double> values() const;
};

// One swept parameter: its place in the values the engine was compiled for, and its values.
struct Axis
{
    std::size_t parameter = 0;
    std::vector<double> values;
};

// Evaluates the engine's compiled expression at every point: inner's values for each of
// outer's (if any), all other parameters as in values. The result for outer value j and inner
// value i is at j * inner.values.size() + i; NaN where the formula is not defined.
std::vector<double> run(CalcEngine& engine, std::vector<double> values, const Axis& inner,
                        const std::optional<Axis>& outer = std::nullopt);

} // namespace Sweep
