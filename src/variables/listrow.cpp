#include "variables/listrow.h"

#include "variables/variables.h"

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
    return addListRow(list, Variables::rowFields(row));
}

QStringList listRowFields(const QTreeWidgetItem& row)
{
    QStringList fields;
    for (int column = 0; column < FieldCount; ++column)
        fields << row.text(column);
    return fields;
}

void setListRowFields(QTreeWidgetItem& row, const QStringList& fields)
{
    for (int column = 0; column < FieldCount; ++column)
        row.setText(column, fields.value(column));
}
