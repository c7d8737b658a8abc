#include "variables/listrow.h"

#include "store/fieldtext.h"

#include <QSqlRecord>
#include <QTreeWidget>

namespace {
constexpr int FieldCount = 5;
}

QTreeWidgetItem* addListRow(QTreeWidget& list, const QStringList& fields)
{
    return new QTreeWidgetItem(&list, fields);
}

QTreeWidgetItem* addListRow(QTreeWidget& list, const QSqlRecord& row)
{
    QStringList fields;
    for (const char* column : {"varname", "name", "defvalue", "unit", "descr"})
        fields << fieldText(row, QLatin1String(column));
    return addListRow(list, fields);
}

QStringList listRowFields(const QTreeWidgetItem& row)
{
    QStringList fields;
    for (int column = 0; column < FieldCount; ++column)
        fields << row.text(column);
    return fields;
}
