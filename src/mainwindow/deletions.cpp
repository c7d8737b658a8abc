#include "mainwindow/deletions.h"

#include "store/sqltext.h"
#include "store/store.h"

void Deletions::deleteItem(Store& store, const QString& caption)
{
    Store::Transaction transaction(store);
    if (const auto row = store.first(QStringLiteral("select * from CataConstruct where caption='") + sqlValue(caption)
                                     + QLatin1Char('\'')))
        store.execute(QStringLiteral("drop table ") + row->value(QStringLiteral("indtable")).toString()
                      + QLatin1Char(' '));
    store.execute(QStringLiteral("delete * from CataConstruct where caption ='") + sqlValue(caption) + QLatin1Char('\''));
    transaction.commit();
}

void Deletions::deleteAll(Store& store)
{
    Store::Transaction transaction(store);
    for (const QSqlRecord& row : store.query(QStringLiteral("select * from CataConstruct ")))
        store.execute(QStringLiteral("drop table ") + row.value(QStringLiteral("indtable")).toString());
    store.execute(QStringLiteral("delete * from CataConstruct"));
    transaction.commit();
}
