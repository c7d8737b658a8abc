#include "calc/resultlist.h"

#include <QLabel>
#include <QTreeWidget>

namespace {

// Where a row keeps the record of its computation.
constexpr int RecordRole = Qt::UserRole;

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

QTreeWidgetItem* addResultRow(QTreeWidget& list, const ComputationRecord& computation)
{
    QTreeWidgetItem* item = addResultRow(list, computation.columns());
    item->setData(ResultColumn::Formula, RecordRole, QVariant::fromValue(computation));
    return item;
}

ComputationRecord recordOf(const QTreeWidgetItem& row)
{
    return row.data(ResultColumn::Formula, RecordRole).value<ComputationRecord>();
}
