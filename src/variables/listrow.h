#pragma once

#include <QStringList>

class QMenu;
class QPoint;
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
// The row the user selected, or nullptr.
QTreeWidgetItem* selectedListRow(const QTreeWidget& list);
// Shows menu at position in the list's viewport until it closes. Nothing happens on an empty
// list; returns whether the menu was shown.
bool popUpListMenu(QTreeWidget& list, QMenu& menu, const QPoint& position);
