#pragma once

#include <QStringList>

class QSqlRecord;
class QTreeWidget;
class QTreeWidgetItem;

// The row of the variable and parameter lists: symbol, then name, value, unit, description.
QTreeWidgetItem* addListRow(QTreeWidget& list, const QStringList& fields);
// The same from a row of a variable or formula table (varname, name, defvalue, unit, descr).
QTreeWidgetItem* addListRow(QTreeWidget& list, const QSqlRecord& row);
// A list row's five fields, in the order above.
QStringList listRowFields(const QTreeWidgetItem& row);
// Rewrites a row with five fields in the order above.
void setListRowFields(QTreeWidgetItem& row, const QStringList& fields);
