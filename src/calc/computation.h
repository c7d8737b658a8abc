#pragma once

#include "calc/fillparametergrid.h"

#include <QList>
#include <QtNumeric>
#include <QString>
#include <QStringList>
#include <optional>

class QTime;
class Store;

// One row of the result list, column by column.
struct ResultRow
{
    QString formula;  // the formula's caption
    QString function; // its function name
    QString result;   // formatted to the formula's precision; empty when that is not 1 to 8
    QString unit;
    QString time;     // "h:mm:ss"
    QString number;   // the computation's number within its formula, the Hisid of its history rows
    double value = qQNaN(); // the result before formatting; NaN where it is not known

    QStringList columns() const { return {formula, function, result, unit, time, number}; }
};

// A computation of a formula with the values of the parameter grid, and its history.
namespace Computation {

// The number of parameters of the formula captioned caption; 0 for a catalog or an unknown
// caption.
int parameterCount(Store& store, const QString& caption);

// The text the engine reads for the grid's rows, every row taking part, empty ones included;
// nullopt when a symbol or value holds a character the text cannot carry.
std::optional<QString> parameterString(const QList<GridParameter>& rows);

// Records a successful computation of the formula captioned caption, in one transaction: its
// counter goes up by one, and the grid rows down to the first one without an input become its
// history rows, numbered by the new counter. Returns the result list's row; nullopt, with
// nothing written, when the formula is no longer in the library.
std::optional<ResultRow> record(Store& store, const QString& caption, const QList<GridParameter>& rows, double result,
                                const QTime& time);

struct Recalled
{
    QString expression;
    QString description;
    QList<GridParameter> parameters; // the history rows, Input holding the value computed with
};

// Computation number of the formula captioned formula, as it was made; nullopt when the
// formula is no longer in the library.
std::optional<Recalled> recall(Store& store, const QString& formula, const QString& number);

} // namespace Computation
