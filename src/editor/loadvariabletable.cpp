#include "editor/loadvariabletable.h"

#include "store/sqltext.h"
#include "store/store.h"
#include "variables/listrow.h"

void LoadVariableTable(QTreeWidget& list, Store& store, const QString& table)
{
    for (const QSqlRecord& row : store.query(QStringLiteral("select * from ") + sqlName(table) + QStringLiteral(" ")))
        addListRow(list, row);
}
