#include "store/itemrow.h"

#include "store/fieldtext.h"
#include "store/store.h"

std::optional<QSqlRecord> ItemRow::find(Store& store, const QString& caption, Kind kind)
{
    switch (kind) {
    case Kind::Catalog:
        return store.first(QStringLiteral("select * from CataConstruct where flag=1 and caption=?"), {caption});
    case Kind::Formula:
        return store.first(QStringLiteral("select * from CataConstruct where flag=0 and caption=?"), {caption});
    case Kind::Any:
        break;
    }
    return store.first(QStringLiteral("select * from CataConstruct where caption=?"), {caption});
}

std::optional<QSqlRecord> ItemRow::findExactly(Store& store, const QString& caption, Kind kind)
{
    std::optional<QSqlRecord> row = find(store, caption, kind);
    if (row && row->value(QStringLiteral("caption")).toString() != caption)
        row.reset();
    return row;
}

std::optional<QString> ItemRow::table(Store& store, const QString& caption)
{
    const std::optional<QSqlRecord> row = find(store, caption);
    if (!row)
        return std::nullopt;
    return fieldText(*row, QStringLiteral("indtable"));
}

std::optional<QSqlRecord> ItemRow::holdingTable(Store& store, const QString& table)
{
    return store.first(QStringLiteral("select * from CataConstruct where indtable=?"), {table});
}
