#include "variables/variables.h"

#include "calc/calcengine.h"
#include "store/fieldtext.h"
#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "store/textrules.h"
#include "variables/parameterchecks.h"

#include <QSqlRecord>
#include <algorithm>

namespace {

const QString GlobalTable = QStringLiteral("GlobalVariant");

// Where a variable of the list is in the library: the table of its level, and the rows holding
// exactly its symbol and name, by their SQLite row numbers. The library compares text without
// case, so a twin whose symbol and name differ only in case is also found by the pair; the row
// number is what tells the two apart afterwards.
struct ListedRows
{
    // CatalogMissing or Changed when another window renamed or deleted the catalog, or changed
    // the variable, since the list showed it.
    Variables::Problem problem = Variables::Problem::None;
    QString table;
    QVariantList rows;
};

ListedRows listedRows(Store& store, const QString& catalog, const NamedValue& listed)
{
    const std::optional<QString> table = Variables::tableOf(store, catalog);
    if (!table)
        return {Variables::Problem::CatalogMissing, {}, {}};
    // An entry shows a value as typed; the library keeps it rounded.
    const std::optional<QVariant> value = store.storedValue(*table, QStringLiteral("defvalue"), listed.value);
    QStringList shown = listed.listFields();
    if (value)
        shown[2] = valueText(*value);
    ListedRows found{Variables::Problem::None, *table, {}};
    for (const QSqlRecord& row :
         store.query(QStringLiteral("select rowid as rowNumber, varname, name, defvalue, unit, descr from ") + sqlName(*table)
                         + QStringLiteral(" where varname=? and name=?"),
                     {listed.symbol, listed.name})) {
        const QStringList stored = NamedValue::fromRow(row).listFields();
        if (stored.mid(0, 2) != shown.mid(0, 2))
            continue;
        if (stored != shown)
            return {Variables::Problem::Changed, *table, {}};
        found.rows << row.value(QStringLiteral("rowNumber"));
    }
    return found;
}

} // namespace

Variables::Problem Variables::checkFields(const NamedValue& variable)
{
    return fieldProblems(variable).value(0, Problem::None);
}

QList<Variables::Problem> Variables::fieldProblems(const NamedValue& variable)
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
        std::optional<QSqlRecord> row = ItemRow::find(store, catalog);
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
            row = ItemRow::find(store, row->value(QStringLiteral("belongto")).toString());
        }
    }
    tables << GlobalTable;
    return tables;
}

std::optional<QString> Variables::tableOf(Store& store, const QString& catalog)
{
    if (catalog.isEmpty())
        return GlobalTable;
    return ItemRow::table(store, catalog);
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

Variables::Problem Variables::define(Store& store, const QString& catalog, const NamedValue& variable)
{
    Store::Transaction transaction(store);
    const std::optional<QStringList> tables = visibleTables(store, catalog);
    if (!tables)
        return Problem::CatalogMissing;
    // Catalogs beside or below this one are not consulted: their formulas never see both.
    if (definedIn(store, *tables, variable.symbol))
        return Problem::SymbolDefined;
    add(store, tables->constFirst(), variable);
    transaction.commit();
    return Problem::None;
}

Variables::Problem Variables::change(Store& store, const QString& catalog, const NamedValue& listed, const NamedValue& changed)
{
    Store::Transaction transaction(store);
    const ListedRows found = listedRows(store, catalog, listed);
    if (found.problem != Problem::None)
        return found.problem;
    if (found.rows.isEmpty())
        return Problem::Missing;
    for (const QVariant& row : found.rows) {
        store.execute(QStringLiteral("update ") + sqlName(found.table)
                          + QStringLiteral(" set varname=?,descr=?,name=?,unit=?,defvalue=? where rowid=?"),
                      {changed.symbol, changed.description, changed.name, changed.unit, changed.value, row});
    }
    transaction.commit();
    return Problem::None;
}

Variables::Problem Variables::remove(Store& store, const QString& catalog, const NamedValue& listed)
{
    Store::Transaction transaction(store);
    const ListedRows found = listedRows(store, catalog, listed);
    if (found.problem != Problem::None)
        return found.problem;
    for (const QVariant& row : found.rows)
        store.execute(QStringLiteral("delete * from ") + sqlName(found.table) + QStringLiteral(" where rowid=?"), {row});
    transaction.commit();
    return Problem::None;
}

void Variables::removeAll(Store& store, const QString& catalog)
{
    Store::Transaction transaction(store);
    if (const std::optional<QString> table = tableOf(store, catalog))
        store.execute(QStringLiteral("delete * from  ") + sqlName(*table));
    transaction.commit();
}

void Variables::add(Store& store, const QString& table, const NamedValue& variable)
{
    store.execute(QStringLiteral("insert into ") + sqlName(table) + QStringLiteral(" (name,varname,unit,defvalue,descr) values (?,?,?,?,?)"),
                  {variable.name, variable.symbol, variable.unit, variable.value, variable.description});
}
