#include "variables/listrow.h"

#include <QSqlRecord>
#include <QTreeWidget>
#include <QVariant>

void addListRow(QTreeWidget& list, const QSqlRecord& row)
{
    new QTreeWidgetItem(&list, QStringList{row.value(QStringLiteral("varname")).toString(),
                                           row.value(QStringLiteral("name")).toString(),
                                           row.value(QStringLiteral("defvalue")).toString(),
                                           row.value(QStringLiteral("unit")).toString(),
                                           row.value(QStringLiteral("descr")).toString()});
}
