#include "mainwindow/statustext.h"

#include "calc/calcengine.h"
#include "calc/parameterstring.h"
#include "store/fieldtext.h"
#include "store/itemname.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <functional>

namespace {

// "row 2 (Mass)": the grid row as the user counts it, below the header row.
QString rowPlace(const QList<GridRow>& rows, qsizetype index)
{
    const QString& name = rows.at(index).name;
    const QString row = QStringLiteral("row %1").arg(index + 1);
    return name.isEmpty() ? row : QStringLiteral("%1 (%2)").arg(row, name);
}

// The place of the first row matching faulty; empty when none does.
QString firstRowWhere(const QList<GridRow>& rows, const std::function<bool(const GridRow&)>& faulty)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (faulty(rows.at(i)))
            return rowPlace(rows, i);
    }
    return {};
}

} // namespace

QString StatusText::notComputed(const QString& reason, const QString& where)
{
    if (where.isEmpty())
        return QStringLiteral("Not computed: ") + reason;
    return QStringLiteral("Not computed, %1: %2").arg(where, reason);
}

QString StatusText::engineFailure(const CalcEngine& engine, const QList<GridRow>& rows)
{
    QString where;
    if (engine.errorPosition() >= 0) {
        where = QStringLiteral("character %1 of the expression").arg(engine.errorPosition() + 1);
    } else if (engine.lastError() == CalcEngine::NotANumber) {
        // The engine reports the first faulty row, so every row above this one is sound.
        where = firstRowWhere(rows, [](const GridRow& row) {
            return !row.symbol.isEmpty() && !CalcEngine::number(row.input);
        });
    }
    return notComputed(engine.errorMessage(), where);
}

QString StatusText::untransferable(const QList<GridRow>& rows)
{
    const QString where = firstRowWhere(rows, [](const GridRow& row) {
        return !ParameterString::carries(row.symbol) || !ParameterString::carries(row.input);
    });
    return notComputed(QStringLiteral("A symbol or value cannot hold '#' or '|'."), where);
}

QString StatusText::libraryState(bool readOnly, bool damaged)
{
    if (damaged)
        return QStringLiteral("Library is damaged: nothing more is written to it.");
    if (readOnly)
        return QStringLiteral("Library is read-only: nothing can be changed or recorded.");
    return {};
}

QString StatusText::layoutConversion(const LayoutConversion::Outcome& outcome)
{
    if (outcome.tables > 0) {
        return QStringLiteral("Library converted to the current layout: the tables of its %1 catalogs and formulas "
                              "now open and delete quickly.")
            .arg(outcome.tables);
    }
    if (outcome.problem.isEmpty() || outcome.damaged)
        return {};
    return QStringLiteral("Library left in its earlier layout (%1): it works, more slowly; the next start tries again.")
        .arg(outcome.busy ? QStringLiteral("another program was using it") : outcome.problem);
}
