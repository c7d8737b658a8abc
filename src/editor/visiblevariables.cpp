#include "editor/visiblevariables.h"

#include "store/store.h"

#include <QSet>

namespace {

std::optional<QSqlRecord> itemCaptioned(Store& store, const QString& caption)
{
    return store.first(QStringLiteral("select * from CataConstruct where caption=?"), {caption});
}

bool isTopLevel(const QSqlRecord& row)
{
    return row.value(QStringLiteral("isroot")).toInt() == 1;
}

} // namespace

QStringList visibleVariableTables(Store& store, const QString& caption)
{
    QStringList tables;
    std::optional<QSqlRecord> row;
    if (!caption.isEmpty())
        row = itemCaptioned(store, caption);
    // A formula's own table holds the formula, not variables: its catalog is where it starts.
    if (row && row->value(QStringLiteral("flag")).toInt() != 1)
        row = isTopLevel(*row) ? std::nullopt : itemCaptioned(store, row->value(QStringLiteral("belongto")).toString());
    QSet<QString> visited;
    while (row && row->value(QStringLiteral("flag")).toInt() == 1) {
        const QString table = row->value(QStringLiteral("indtable")).toString();
        if (visited.contains(table))
            break;
        visited.insert(table);
        tables << table;
        if (isTopLevel(*row))
            break;
        row = itemCaptioned(store, row->value(QStringLiteral("belongto")).toString());
    }
    tables << QStringLiteral("GlobalVariant");
    return tables;
}
