#include "calc/resultlist.h"

#include <QLabel>
#include <QTreeWidget>

namespace {

// Where a row keeps the value its result was formatted from.
constexpr int ValueRole = Qt::UserRole;

} // namespace

void setListColumns(QTreeWidget& list, const QList<std::pair<const QLabel*, double>>& columns)
{
    QStringList titles;
    for (const auto& [label, divisor] : columns)
        titles << label->text();
    list.setHeaderLabels(titles);
    for (int i = 0; i < columns.size(); ++i)
        list.setColumnWidth(i, int(list.width() / columns.at(i).second));
}

QTreeWidgetItem* addResultRow(QTreeWidget& list, const QStringList& columns)
{
    return new QTreeWidgetItem(&list, columns);
}

QStringList resultRowColumns(const QTreeWidgetItem& row)
{
    QStringList columns;
    for (int column = 0; column < ResultColumn::Count; ++column)
        columns << row.text(column);
    return columns;
}

QTreeWidgetItem* addResultRow(QTreeWidget& list, const ResultRow& row)
{
    QTreeWidgetItem* item = addResultRow(list, row.columns());
    item->setData(ResultColumn::Result, ValueRole, row.value);
    return item;
}

ResultRow resultRowOf(const QTreeWidgetItem& row)
{
    const QStringList columns = resultRowColumns(row);
    const QVariant value = row.data(ResultColumn::Result, ValueRole);
    return {columns.at(0), columns.at(1), columns.at(2), columns.at(3), columns.at(4), columns.at(5),
            value.isValid() ? value.toDouble() : qQNaN()};
}
