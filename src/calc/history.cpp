#include "calc/history.h"

#include "store/sqltext.h"
#include "store/store.h"

void History::reset(Store& store)
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
