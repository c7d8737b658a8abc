#include "calc/unitcheck.h"

#include "calc/calcengine.h"
#include "calc/units.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

using Dimension = Units::Dimension;

// Scaling by 2 and by ½ is exact in binary, so an expression whose units agree scales exactly;
// two factors tell a power (2 up, 2 down) from a sum of powers (which scales by neither alike).
constexpr double Up = 2, Down = 0.5;
constexpr double Tolerance = 1e-6;

const QString Inhomogeneous = QStringLiteral("The expression adds or compares quantities of different kinds");

struct Evaluation
{
    double result = 0;
    std::vector<CalcEngine::PlainCall> calls;
};

// The power of 2 by which a value at base becomes up when scaled by Up and down by Down; nullopt
// when it scales as no power does. Whole powers come out whole.
std::optional<double> powerOf(double base, double up, double down)
{
    const double ratioUp = up / base, ratioDown = base / down;
    if (!(ratioUp > 0 && ratioDown > 0) || !std::isfinite(ratioUp) || !std::isfinite(ratioDown))
        return std::nullopt;
    const double powerUp = std::log2(ratioUp), powerDown = std::log2(ratioDown);
    if (std::fabs(powerUp - powerDown) > Tolerance * std::max(1.0, std::fabs(powerUp)))
        return std::nullopt;
    const double power = (powerUp + powerDown) / 2;
    return std::fabs(power - std::round(power)) < Tolerance ? std::round(power) : power;
}

// The expression at one point of its parameters' values, and with the values scaled one base
// dimension at a time.
class Probe
{
public:
    Probe(CalcEngine& engine, const std::vector<Dimension>& dimensions, const std::vector<double>& values)
    {
        base_ = evaluate(engine, values, {}, 1);
        if (!usable())
            return;
        for (int base = 0; base < Units::BaseCount; ++base) {
            const bool scales = std::any_of(dimensions.begin(), dimensions.end(),
                                            [base](const Dimension& d) { return d[std::size_t(base)] != 0; });
            if (scales)
                scaled_.push_back({base, evaluate(engine, values, dimensions, base, Up), evaluate(engine, values, dimensions, base, Down)});
        }
    }

    // Whether the point tells anything: the expression gives a number other than zero there.
    bool usable() const { return std::isfinite(base_.result) && base_.result != 0; }

    // The dimension the expression gives, or nullopt with problem saying why it gives none.
    std::optional<Dimension> dimension(Units& units, QString& problem) const
    {
        if (const std::optional<std::size_t> call = scaledPlainCall()) {
            const QString function = QString::fromLatin1(base_.calls[*call].function);
            const auto argument = [k = *call](const Evaluation& evaluation) { return evaluation.calls[k].argument; };
            const std::optional<Dimension> handed = dimensionOf(argument);
            problem = handed ? QStringLiteral("%1 is taken of a quantity in %2, which is not dimensionless").arg(function, units.describe(*handed))
                             : QStringLiteral("%1 is taken of a quantity that is not dimensionless").arg(function);
            return std::nullopt;
        }
        const std::optional<Dimension> gives = dimensionOf([](const Evaluation& evaluation) { return evaluation.result; });
        if (!gives)
            problem = Inhomogeneous;
        return gives;
    }

private:
    struct Scaled
    {
        int base;
        Evaluation up;
        Evaluation down;
    };

    // The expression with every value scaled by factor to the power of its unit's base dimension
    // base; dimensions empty for the values as they are.
    static Evaluation evaluate(CalcEngine& engine, std::vector<double> values, const std::vector<Dimension>& dimensions,
                               int base, double factor = 1)
    {
        for (std::size_t i = 0; i < dimensions.size(); ++i)
            values[i] *= std::pow(factor, dimensions[i][std::size_t(base)]);
        Evaluation evaluation;
        evaluation.result = engine.evaluate(values, evaluation.calls);
        return evaluation;
    }

    // The first call of a function of a plain number whose argument scaled; nullopt for none.
    std::optional<std::size_t> scaledPlainCall() const
    {
        const std::vector<CalcEngine::PlainCall>& calls = base_.calls;
        for (const Scaled& scaled : scaled_) {
            // A choice (c ? x : y) that went the other way made other calls: nothing to compare.
            if (scaled.up.calls.size() != calls.size() || scaled.down.calls.size() != calls.size())
                return std::nullopt;
        }
        for (std::size_t k = 0; k < calls.size(); ++k) {
            for (const Scaled& scaled : scaled_) {
                if (std::fabs(scaled.up.calls[k].argument - calls[k].argument) > Tolerance * std::fabs(calls[k].argument))
                    return k;
            }
        }
        return std::nullopt;
    }

    // The powers of the base dimensions by which what value reads of an evaluation scales.
    template<typename Value>
    std::optional<Dimension> dimensionOf(Value value) const
    {
        Dimension powers{};
        for (const Scaled& scaled : scaled_) {
            const std::optional<double> power = powerOf(value(base_), value(scaled.up), value(scaled.down));
            if (!power)
                return std::nullopt;
            powers[std::size_t(scaled.base)] = *power;
        }
        return powers;
    }

    Evaluation base_;
    std::vector<Scaled> scaled_;
};

} // namespace

UnitCheck::Outcome UnitCheck::check(Units& units, CalcEngine& engine, const QString& expression,
                                    const QString& resultUnit, const QList<NamedValue>& parameters)
{
    const std::optional<Units::Unit> result = units.find(resultUnit);
    if (!result)
        return {Verdict::NotUnderstood, QStringLiteral("The result's unit, \"%1\", is not understood").arg(resultUnit)};
    QStringList symbols;
    std::vector<Dimension> dimensions;
    std::vector<double> defaults;
    for (const NamedValue& parameter : parameters) {
        if (!CalcEngine::isParameterSymbol(parameter.symbol))
            continue;
        const std::optional<Units::Unit> unit = units.find(parameter.unit);
        if (!unit) {
            return {Verdict::NotUnderstood,
                    QStringLiteral("The unit of %1, \"%2\", is not understood").arg(parameter.symbol, parameter.unit)};
        }
        symbols << parameter.symbol;
        dimensions.push_back(unit->dimension);
        defaults.push_back(CalcEngine::number(parameter.value).value_or(1));
    }
    if (engine.compile(expression, symbols) != CalcEngine::NoError)
        return {};

    // The defaults, where a formula is meant to be computed; then a point where no value is 0 and
    // each is moved by a factor of its own, lest a term that vanishes at the defaults hide what
    // it is made of.
    std::vector<double> elsewhere = defaults;
    for (std::size_t i = 0; i < elsewhere.size(); ++i)
        elsewhere[i] = (elsewhere[i] == 0 ? 1 : elsewhere[i]) * (1 + 0.137 * double(i + 1));
    std::optional<Dimension> gives;
    for (const std::vector<double>* values : {&defaults, &elsewhere}) {
        const Probe probe(engine, dimensions, *values);
        if (!probe.usable())
            continue;
        QString problem;
        const std::optional<Dimension> here = probe.dimension(units, problem);
        if (!here)
            return {Verdict::Disagree, problem};
        if (gives && *gives != *here)
            return {Verdict::Disagree, Inhomogeneous};
        gives = here;
    }
    if (!gives) {
        return {Verdict::Unchecked,
                QStringLiteral("The units cannot be checked: the expression gives no number but zero with the default values")};
    }
    if (*gives == result->dimension)
        return {Verdict::Agree, QStringLiteral("Units agree")};
    return {Verdict::Disagree, QStringLiteral("The expression gives %1 where the result is in %2")
                                   .arg(units.describe(*gives), Units::shown(resultUnit))};
}
