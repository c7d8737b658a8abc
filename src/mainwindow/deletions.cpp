#include "mainwindow/deletions.h"

#include "store/sqltext.h"
#include "store/store.h"

void Deletions::deleteItem(Store& store, const QString& caption)
{
    Store::Transaction transaction(store);
    // A table dropped by another tool leaves an item that can still be deleted.
    if (const auto row = store.first(QStringLiteral("select * from CataConstruct where caption=?"), {caption}))
        store.execute(QStringLiteral("drop table if exists ") + sqlName(row->value(QStringLiteral("indtable")).toString()));
    store.execute(QStringLiteral("delete * from CataConstruct where caption =?"), {caption});
    transaction.commit();
}

void Deletions::deleteAll(Store& store)
{
    // Every catalog's and formula's table goes, and the rows naming them: what stays is the
    // global variables and the history of this run.
    store.keepOnly({QStringLiteral("GlobalVariant"), QStringLiteral("ParaResult")}, {QStringLiteral("CataConstruct")});
}
