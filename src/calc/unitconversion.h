#pragma once

#include "calc/computation.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Units;

// Values given with a unit of their own, read in the unit a formula wants: the parameter grid's
// inputs before Calculate, a result read in another unit, a variable's value as the default of
// a parameter. A unit that is not understood (see Units) is a label: a value is never converted
// to or from it.
namespace UnitConversion {

// A value as typed: a number, then a unit or nothing ("2500 mm", "20°C", "3ft", "2.5").
struct Quantity
{
    double value = 0;
    QString number; // as typed
    QString unit;   // as typed, trimmed; empty for a bare number
};
// nullopt when the text starts with no number, by the engine's rules for numbers.
std::optional<Quantity> quantity(const QString& text);

// One parameter's input, ready for the engine.
struct Input
{
    QString value;      // what the engine gets: in the parameter's unit
    QString conversion; // what was converted, for the status line ("L: 2500 mm = 2.5 m"); empty for none
    QString refusal;    // why the computation cannot be made with it; empty when it can
};

// The input text of the parameter symbol whose unit is unit. A bare number, and a number in the
// parameter's own unit text, go to the engine as numbers; a number with a unit of the
// parameter's kind is converted (20 °C into K with its origin), every digit kept. Refused: a unit
// of another kind ("L: 2500 kg cannot be converted to m, the unit of L") and a unit given to a
// parameter whose unit is a label. Any other text (no number first, a unit not understood) goes
// to the engine as typed, which refuses it as no number, as it always has.
Input input(Units& units, const QString& symbol, const QString& text, const QString& unit);

// The grid's rows as Calculate hands them to the engine.
struct Inputs
{
    QList<GridRow> rows; // each Input in its parameter's unit: the values the history keeps
    QStringList conversions;   // one for each converted row, in row order
    QString refusal;           // the first row's refusal; empty when the computation can go on

    // For the status line: "L: 2500 mm = 2.5 m; T: 20 °C = 293.15 K"; empty when nothing was converted.
    QString note() const { return conversions.join(QStringLiteral("; ")); }
};
// input() for every row of the grid that has a symbol; the padding rows stay as they are.
Inputs inputs(Units& units, const QList<GridRow>& rows);

// A result in fromUnit read in the unit a user typed.
struct Reading
{
    std::optional<double> value;
    QString text;    // the value and the unit as typed: "115.926 kJ"; empty when refused
    QString problem; // why it cannot be read so ("J cannot be converted to m"); empty when it can
};
Reading read(Units& units, double value, const QString& fromUnit, const QString& toUnit);

// A variable's value as the default of a parameter whose unit differs from the variable's but
// is of its kind, in plain decimals as the parameter list holds them ("0.0000000172"); nullopt
// when there is nothing to convert: the same unit text, a label on either side, another kind,
// or a value that is no number.
std::optional<QString> defaultValue(Units& units, const QString& value, const QString& variableUnit,
                                    const QString& parameterUnit);

} // namespace UnitConversion
