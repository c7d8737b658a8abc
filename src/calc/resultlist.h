#pragma once

#include "calc/computation.h"

#include <QList>
#include <QStringList>
#include <utility>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// A row of the result list: formula, function name, result, unit, time, computation number.
QTreeWidgetItem* addResultRow(QTreeWidget& list, const QStringList& columns);
QStringList resultRowColumns(const QTreeWidgetItem& row);
// The same for a computation just made; the row keeps its record.
QTreeWidgetItem* addResultRow(QTreeWidget& list, const ComputationRecord& computation);
// The record a row keeps; an empty one for a row added from its texts alone.
ComputationRecord recordOf(const QTreeWidgetItem& row);

// Columns of the result list's rows.
namespace ResultColumn {
constexpr int Formula = 0;
constexpr int Result = 2;
constexpr int Number = 5;
constexpr int Count = 6;
}
