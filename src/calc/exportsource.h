#pragma once

#include "calc/computation.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

class Store;

// A computation of the result list with everything the exports write about it.
struct ExportedComputation
{
    ComputationRecord computed; // what the list keeps of it: what it used and gave
    // The formula's function name and expression as the library holds them now; when the
    // formula is no longer there, the function name it was computed with and no expression.
    QString function;
    std::optional<QString> expression;
    // Its history rows, in the order they were recorded, each with the value computed with as
    // typed into the grid.
    QList<NamedValue> parameters;
};

// The captions the exports put before values and over columns, read from the main window.
struct ExportTexts
{
    QString formula;          // "Formula Name"
    QString result;           // "Result", before the result in the text file
    QString resultColumn;     // "Result", over the workbook's result column
    QString expressionColumn; // "Expression:"
    QString parameters;       // "Parameter Information"
    QString number;           // "Computation(s)"
    QString time;             // "Time"
};

// Called with the number of computations done and the total; returning false cancels.
using ExportProgress = std::function<bool(int done, int total)>;

// How an export ended.
struct ExportOutcome
{
    enum class Kind { Written, Cancelled, Failed };
    Kind kind = Kind::Written;
    QString path;  // the file written, or the one that could not be
    QString error; // why not, in the system's words
};

// Reads what the exports need about the rows of the result list from the library: each
// formula's function name and expression, and each computation's history rows. The history
// is read once for all rows, since it is not indexed and a list holds thousands of rows.
class ExportSource
{
public:
    ExportSource(Store& store, const QList<ComputationRecord>& rows);

    // Calls write for every row in list order, reporting progress before the first and after
    // each; false when the progress cancelled.
    bool forEach(const ExportProgress& progress, const std::function<void(const ExportedComputation&)>& write);

private:
    struct Formula
    {
        QString function;
        QString expression;
    };
    using Key = std::pair<QString, QString>; // formula and number, as the library compares them

    static Key keyOf(const QString& formula, const QString& number);
    ExportedComputation computation(const ComputationRecord& row);
    // nullopt when the library no longer has the formula.
    const std::optional<Formula>& formula(const QString& name);
    void readHistory();

    Store& store_;
    QList<ComputationRecord> rows_;
    QHash<QString, std::optional<Formula>> formulas_; // by the name's comparison key
    QHash<Key, QList<NamedValue>> history_;
};
