#pragma once

#include "store/namedvalue.h"

#include <QList>
#include <QMetaType>
#include <QSqlRecord>
#include <QtNumeric>
#include <QString>
#include <QStringList>
#include <optional>

class QTime;
class Store;

// A parameter as the grid shows it and a computation uses it: its value is its default, and
// input the value typed into the grid, computed with.
struct GridRow : NamedValue
{
    QString input;
};

// A computation as it was made: what the result list shows of it, and what it used. The
// library's formula may change afterwards; the record keeps the version the result came from.
struct ComputationRecord
{
    QString formula;        // the formula's caption
    QString number;         // the computation's number within its formula, the Hisid of its history rows
    QString time;           // "h:mm:ss"
    double value = qQNaN(); // the result, every digit of it
    // The formula as it was computed with.
    QString function;
    QString expression; // the text the engine evaluated
    QString unit;       // the result's
    int precision = 0;  // the decimal places the list shows
    QList<GridRow> parameters; // each with its symbol, name, unit and the value computed with

    // The result as the list shows it: formatted to the precision; empty when that is not 1 to 8.
    QString result() const;
    // The result list's columns: formula, function name, result, unit, time, number.
    QStringList columns() const { return {formula, function, result(), unit, time, number}; }
};
Q_DECLARE_METATYPE(ComputationRecord)

// A computation of a formula with the values of the parameter grid, and its history.
namespace Computation {

// The formula row of the formula captioned caption, what clicking its node shows; nullopt when
// its item, its table (another program dropped it) or the row is gone.
std::optional<QSqlRecord> formulaRow(Store& store, const QString& caption);

// The parameters of the formula captioned caption as the grid shows them, each Input starting
// at its default value; none for a catalog or an unknown caption.
QList<GridRow> parameters(Store& store, const QString& caption);
int parameterCount(Store& store, const QString& caption);

// The text the engine reads for the grid's rows, every row taking part, empty ones included;
// nullopt when a symbol or value holds a character the text cannot carry.
std::optional<QString> parameterString(const QList<GridRow>& rows);

// What the status line says of a computation that added nothing: reason, and where it was
// found when that is known ("row 2 (Mass)", "character 5 of the expression").
QString notComputed(const QString& reason, const QString& where = {});

// The value of expression with the grid's rows, by the engine; or, when there is none, why
// not: a value that is not a number placed at its grid row and named by its parameter, a fault
// in the expression at its character, counted from 1.
struct Evaluation
{
    std::optional<double> value;
    QString failure; // notComputed()
};
Evaluation evaluate(const QString& expression, const QList<GridRow>& rows);

// Records a successful computation of the formula captioned caption, whose expression the
// engine evaluated with the grid's rows, in one transaction: its counter goes up by one, and
// the rows down to the first one without an input become its history rows, numbered by the new
// counter. Returns the record the result list keeps; nullopt, with nothing written, when the
// formula is no longer in the library.
std::optional<ComputationRecord> record(Store& store, const QString& caption, const QString& expression,
                                        const QList<GridRow>& rows, double result, const QTime& time);

// Forgets every computation: empties ParaResult and sets each formula's counter back to '0',
// so that the next computation of any formula is number 1.
void resetHistory(Store& store);

struct Recalled
{
    QString expression;
    QString description;
    QList<GridRow> parameters; // the history rows, Input holding the value computed with
};

// Computation number of the formula captioned formula, as it was made; nullopt when the
// formula is no longer in the library.
std::optional<Recalled> recall(Store& store, const QString& formula, const QString& number);

} // namespace Computation
