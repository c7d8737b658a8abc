#include "mainwindow/deletions.h"

#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"

void Deletions::deleteItem(Store& store, const QString& caption)
{
    Store::Transaction transaction(store);
    // A table dropped by another tool leaves an item that can still be deleted.
    if (const std::optional<QString> table = ItemRow::table(store, caption))
        store.execute(QStringLiteral("drop table if exists ") + sqlName(*table));
    store.execute(QStringLiteral("delete * from CataConstruct where caption =?"), {caption});
    transaction.commit();
}

void Deletions::deleteAll(Store& store)
{
    Store::Transaction transaction(store);
    for (const QSqlRecord& row : store.query(QStringLiteral("select * from CataConstruct ")))
        store.execute(QStringLiteral("drop table if exists ") + sqlName(row.value(QStringLiteral("indtable")).toString()));
    store.execute(QStringLiteral("delete * from CataConstruct"));
    transaction.commit();
}
