#include "variables/variables.h"

#include "calc/calcengine.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "store/textrules.h"
#include "variables/numeral.h"

#include <QSqlRecord>
#include <algorithm>

namespace {

const QString GlobalTable = QStringLiteral("GlobalVariant");

std::optional<QSqlRecord> catalogRow(Store& store, const QString& caption)
{
    return store.first(QStringLiteral("select * from CataConstruct where caption=?"), {caption});
}

// The rows of table holding exactly the key's symbol and name, by their SQLite row numbers. The
// library compares text without case, so a twin whose symbol and name differ only in case is
// also found by the pair; the row number is what tells the two apart afterwards.
QVariantList rowsOf(Store& store, const QString& table, const VariableKey& key)
{
    QVariantList rows;
    for (const QSqlRecord& row : store.query(QStringLiteral("select rowid as rowNumber, varname, name from ") + sqlName(table)
                                                 + QStringLiteral(" where varname=? and name=?"),
                                             {key.symbol, key.name})) {
        if (row.value(QStringLiteral("varname")).toString() == key.symbol
            && row.value(QStringLiteral("name")).toString() == key.name)
            rows << row.value(QStringLiteral("rowNumber"));
    }
    return rows;
}

} // namespace

Variables::Problem Variables::checkFields(const Variable& variable)
{
    return fieldProblems(variable).value(0, Problem::None);
}

QList<Variables::Problem> Variables::fieldProblems(const Variable& variable)
{
    QList<Problem> problems;
    if (variable.symbol.isEmpty())
        problems << Problem::EmptySymbol;
    else if (!CalcEngine::isParameterSymbol(variable.symbol))
        problems << Problem::UnusableSymbol;
    if (variable.name.isEmpty())
        problems << Problem::EmptyName;
    appendValueProblem(problems, variable.value);
    TextRules::appendNameAndDescriptionProblems(problems, variable.name, variable.description);
    return problems;
}

Variables::Problem Variables::checkNewSymbol(const QString& oldSymbol, const QString& symbol, const QStringList& listedSymbols)
{
    if (symbol != oldSymbol && listedSymbols.contains(symbol, Qt::CaseSensitive))
        return Problem::SymbolListed;
    return Problem::None;
}

std::optional<QStringList> Variables::visibleTables(Store& store, const QString& catalog)
{
    QStringList tables;
    if (!catalog.isEmpty()) {
        std::optional<QSqlRecord> row = catalogRow(store, catalog);
        if (!row)
            return std::nullopt;
        // A parent that is gone, or a loop of parents in a damaged library, ends the walk early.
        while (row) {
            const QString table = row->value(QStringLiteral("indtable")).toString();
            if (tables.contains(table))
                break;
            tables << table;
            if (row->value(QStringLiteral("isroot")).toInt() == 1)
                break;
            row = catalogRow(store, row->value(QStringLiteral("belongto")).toString());
        }
    }
    tables << GlobalTable;
    return tables;
}

std::optional<QString> Variables::tableOf(Store& store, const QString& catalog)
{
    if (catalog.isEmpty())
        return GlobalTable;
    const std::optional<QSqlRecord> row = catalogRow(store, catalog);
    if (!row)
        return std::nullopt;
    return row->value(QStringLiteral("indtable")).toString();
}

bool Variables::holdsSymbol(Store& store, const QString& table, const QString& symbol)
{
    for (const QSqlRecord& row :
         store.query(QStringLiteral("select varname from ") + sqlName(table) + QStringLiteral(" where varname=?"), {symbol})) {
        if (row.value(0).toString() == symbol)
            return true;
    }
    return false;
}

bool Variables::definedIn(Store& store, const QStringList& tables, const QString& symbol)
{
    return std::any_of(tables.cbegin(), tables.cend(), [&](const QString& table) { return holdsSymbol(store, table, symbol); });
}

Variables::Problem Variables::define(Store& store, const QString& catalog, const Variable& variable)
{
    Store::Transaction transaction(store);
    const std::optional<QStringList> tables = visibleTables(store, catalog);
    if (!tables)
        return Problem::Missing;
    // Catalogs beside or below this one are not consulted: their formulas never see both.
    if (definedIn(store, *tables, variable.symbol))
        return Problem::SymbolDefined;
    add(store, tables->constFirst(), variable);
    transaction.commit();
    return Problem::None;
}

Variables::Problem Variables::change(Store& store, const QString& catalog, const VariableKey& key, const Variable& changed)
{
    Store::Transaction transaction(store);
    const std::optional<QString> table = tableOf(store, catalog);
    const QVariantList rows = table ? rowsOf(store, *table, key) : QVariantList();
    if (rows.isEmpty())
        return Problem::Missing;
    for (const QVariant& row : rows) {
        store.execute(QStringLiteral("update ") + sqlName(*table)
                          + QStringLiteral(" set varname=?,descr=?,name=?,unit=?,defvalue=? where rowid=?"),
                      {changed.symbol, changed.description, changed.name, changed.unit, changed.value, row});
    }
    transaction.commit();
    return Problem::None;
}

void Variables::remove(Store& store, const QString& catalog, const VariableKey& key)
{
    Store::Transaction transaction(store);
    if (const std::optional<QString> table = tableOf(store, catalog)) {
        for (const QVariant& row : rowsOf(store, *table, key))
            store.execute(QStringLiteral("delete * from ") + sqlName(*table) + QStringLiteral(" where rowid=?"), {row});
    }
    transaction.commit();
}

void Variables::removeAll(Store& store, const QString& catalog)
{
    Store::Transaction transaction(store);
    if (const std::optional<QString> table = tableOf(store, catalog))
        store.execute(QStringLiteral("delete * from  ") + sqlName(*table));
    transaction.commit();
}

void Variables::add(Store& store, const QString& table, const Variable& variable)
{
    store.execute(QStringLiteral("insert into ") + sqlName(table) + QStringLiteral(" (name,varname,unit,defvalue,descr) values (?,?,?,?,?)"),
                  {variable.name, variable.symbol, variable.unit, variable.value, variable.description});
}
