#include "store/formula.h"

#include "store/fieldtext.h"
#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"

namespace {

QString field(const QSqlRecord& row, const char* column)
{
    return fieldText(row, QLatin1String(column));
}

} // namespace

std::optional<Formula> Formula::read(Store& store, const QString& caption)
{
    const auto item = ItemRow::find(store, caption, ItemRow::Kind::Formula);
    if (!item)
        return std::nullopt;
    const QString table = field(*item, "indtable");
    std::optional<QSqlRecord> own;
    Rows parameters;
    try {
        // The formula row's name is the formula's current caption, as the item row's is.
        own = store.first(QStringLiteral("select * from ") + sqlName(table) + QStringLiteral(" where ispara=0 and name=?"),
                          {field(*item, "caption")});
        parameters = store.query(QStringLiteral("select * from ") + sqlName(table) + QStringLiteral(" where ispara=1"));
    } catch (const StoreError&) {
        // Another tool removed the formula's table: the formula is gone.
        if (store.tableExists(table))
            throw;
    }
    if (!own)
        return std::nullopt;

    Formula formula{field(*item, "caption"), field(*own, "varname"), field(*own, "unit"), field(*own, "expression"),
                    field(*own, "descr"), field(*own, "preci"), {}};
    for (const QSqlRecord& row : std::as_const(parameters))
        formula.parameters.append(NamedValue::fromRow(row));
    return formula;
}
