#include "calc/history.h"

#include "store/store.h"

void History::reset(Store& store)
{
    Store::Transaction transaction(store);
    store.execute(QStringLiteral("delete * from ParaResult"));
    for (const auto& formula : store.query(QStringLiteral("select * from CataConstruct where flag= 0 "))) {
        store.execute(QStringLiteral("update ") + formula.value(QStringLiteral("indtable")).toString()
                      + QStringLiteral(" set calcount='0' where ispara = 0"));
    }
    transaction.commit();
}
