#include "calc/computation.h"

#include "calc/calcengine.h"
#include "calc/parameterstring.h"
#include "calc/resultformat.h"
#include "store/fieldtext.h"
#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QTime>
#include <functional>

namespace {

QString field(const QSqlRecord& row, const char* column)
{
    return fieldText(row, QLatin1String(column));
}

// The formula's own table, as a statement names it; nullopt when the caption has no row.
std::optional<QString> tableOf(Store& store, const QString& caption)
{
    const std::optional<QString> table = ItemRow::table(store, caption);
    if (!table)
        return std::nullopt;
    return sqlName(*table);
}

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

QString ComputationRecord::result() const
{
    return formatResult(value, precision);
}

std::optional<QSqlRecord> Computation::formulaRow(Store& store, const QString& caption)
{
    const std::optional<QString> table = ItemRow::table(store, caption);
    if (!table)
        return std::nullopt;
    try {
        return store.first(QStringLiteral("select * from ") + sqlName(*table) + QStringLiteral(" where name=?"), {caption});
    } catch (const StoreError&) {
        if (store.tableExists(*table))
            throw;
    }
    return std::nullopt;
}

QList<GridRow> Computation::parameters(Store& store, const QString& caption)
{
    QList<GridRow> parameters;
    if (const auto table = tableOf(store, caption)) {
        for (const QSqlRecord& row : store.query(QStringLiteral("select * from ") + *table + QStringLiteral(" where ispara = 1 "))) {
            GridRow parameter{NamedValue::fromRow(row), {}};
            parameter.input = parameter.value;
            parameters.append(parameter);
        }
    }
    return parameters;
}

int Computation::parameterCount(Store& store, const QString& caption)
{
    return int(parameters(store, caption).size());
}

QString Computation::notComputed(const QString& reason, const QString& where)
{
    if (where.isEmpty())
        return QStringLiteral("Not computed: ") + reason;
    return QStringLiteral("Not computed, %1: %2").arg(where, reason);
}

Computation::Evaluation Computation::evaluate(const QString& expression, const QList<GridRow>& rows)
{
    // A text the parameter string cannot carry fails like any value the engine rejects.
    const std::optional<QString> parameters = parameterString(rows);
    if (!parameters) {
        const QString where = firstRowWhere(rows, [](const GridRow& row) {
            return !ParameterString::carries(row.symbol) || !ParameterString::carries(row.input);
        });
        return {std::nullopt, notComputed(QStringLiteral("A symbol or value cannot hold '#' or '|'."), where)};
    }
    CalcEngine engine;
    double result = 0;
    int error = 0;
    engine.Evaluate(expression, *parameters, result, error);
    if (error == 0)
        return {result, {}};
    QString where;
    if (engine.errorPosition() >= 0) {
        where = QStringLiteral("character %1 of the expression").arg(engine.errorPosition() + 1);
    } else if (engine.lastError() == CalcEngine::NotANumber) {
        // The engine reports the first faulty row, so every row above this one is sound.
        where = firstRowWhere(rows, [](const GridRow& row) { return !row.symbol.isEmpty() && !CalcEngine::number(row.input); });
    }
    return {std::nullopt, notComputed(engine.errorMessage(), where)};
}

std::optional<QString> Computation::parameterString(const QList<GridRow>& rows)
{
    QList<ParameterString::Pair> pairs;
    pairs.reserve(rows.size());
    for (const GridRow& row : rows)
        pairs.append({row.symbol, row.input});
    return ParameterString::build(pairs);
}

std::optional<ComputationRecord> Computation::record(Store& store, const QString& caption, const QString& expression,
                                                     const QList<GridRow>& rows, double result, const QTime& time)
{
    Store::Transaction transaction(store);
    const auto table = tableOf(store, caption);
    if (!table)
        return std::nullopt;
    const auto formula = store.first(QStringLiteral("select * from ") + *table + QStringLiteral(" where name=?"), {caption});
    if (!formula)
        return std::nullopt;

    // The counter is text; one that does not read as a number counts as none made yet.
    const QString number = QString::number(field(*formula, "calcount").trimmed().toLongLong() + 1);
    ComputationRecord made{field(*formula, "name"),
                           number,
                           time.toString(QStringLiteral("h:mm:ss")),
                           result,
                           field(*formula, "varname"),
                           expression,
                           field(*formula, "unit"),
                           formula->value(QStringLiteral("preci")).toInt(),
                           {}};
    // The rows below the last parameter are the grid's padding.
    for (const GridRow& parameter : rows) {
        if (!parameter.symbol.isEmpty())
            made.parameters.append(parameter);
    }

    store.execute(QStringLiteral("update ") + *table + QStringLiteral(" set calcount=? where name=?"), {number, caption});
    for (const GridRow& parameter : rows) {
        if (parameter.input.isEmpty())
            break;
        store.execute(QStringLiteral("insert into  ParaResult(Fmuname,name,paraname,paravalue,unit,Hisid,defparavalue) "
                                     "values (?,?,?,?,?,?,?)"),
                      {caption, parameter.name, parameter.symbol, parameter.input, parameter.unit, number,
                       parameter.value});
    }
    transaction.commit();
    return made;
}

std::optional<Computation::Recalled> Computation::recall(Store& store, const QString& formula, const QString& number)
{
    const auto table = tableOf(store, formula);
    if (!table)
        return std::nullopt;
    const auto row = store.first(QStringLiteral("select * from ") + *table + QStringLiteral(" where ispara=0 "));
    if (!row)
        return std::nullopt;
    Recalled recalled{field(*row, "expression"), field(*row, "descr"), {}};
    for (const QSqlRecord& history : store.query(QStringLiteral("select * from ParaResult where Fmuname =? and  Hisid=?"),
                                                 {formula, number})) {
        recalled.parameters.append({{field(history, "name"), field(history, "paraname"), field(history, "unit"),
                                     field(history, "defparavalue"), {}},
                                    field(history, "paravalue")});
    }
    return recalled;
}

void Computation::resetHistory(Store& store)
{
    Store::Transaction transaction(store);
    store.execute(QStringLiteral("delete * from ParaResult"));
    // A formula whose table another tool dropped has no counter left to reset.
    const QSet<QString> tables = store.tableNames();
    for (const auto& formula : store.query(QStringLiteral("select * from CataConstruct where flag= 0 "))) {
        const QString table = formula.value(QStringLiteral("indtable")).toString();
        // Counters already at '0' are left alone: rewriting them would cost a write per formula.
        if (tables.contains(foldedName(table)))
            store.execute(QStringLiteral("update ") + sqlName(table)
                          + QStringLiteral(" set calcount='0' where ispara = 0 and calcount <> '0'"));
    }
    transaction.commit();
}
