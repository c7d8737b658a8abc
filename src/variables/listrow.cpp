#include "variables/listrow.h"

#include <QTreeWidget>

QTreeWidgetItem* addListRow(QTreeWidget& list, const NamedValue& value)
{
    return new QTreeWidgetItem(&list, value.listFields());
}

NamedValue listRow(const QTreeWidgetItem& row)
{
    QStringList fields;
    for (int column = 0; column < 5; ++column)
        fields << row.text(column);
    return NamedValue::fromListFields(fields);
}

void setListRow(QTreeWidgetItem& row, const NamedValue& value)
{
    const QStringList fields = value.listFields();
    for (int column = 0; column < fields.size(); ++column)
        row.setText(column, fields.at(column));
}

void LoadVariableTable(QTreeWidget& list, Store& store, const QString& table)
{
    for (const NamedValue& variable : NamedValue::readTable(store, table))
        addListRow(list, variable);
}
