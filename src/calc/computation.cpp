#include "calc/computation.h"

#include "calc/parameterstring.h"
#include "calc/resultformat.h"
#include "store/fieldtext.h"
#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QTime>

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

} // namespace

QString ComputationRecord::result() const
{
    return formatResult(value, precision);
}

int Computation::parameterCount(Store& store, const QString& caption)
{
    const auto table = tableOf(store, caption);
    if (!table)
        return 0;
    return int(store.query(QStringLiteral("select * from ") + *table + QStringLiteral(" where ispara=1")).size());
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
