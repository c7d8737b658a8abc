#include "calc/resultlist.h"

#include <QLabel>
#include <QTreeWidget>

namespace {

// Where a row keeps the record of its computation.
constexpr int RecordRole = Qt::UserRole;

} // namespace

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
