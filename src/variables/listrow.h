#pragma once

#include "store/namedvalue.h"

class QTreeWidget;
class QTreeWidgetItem;
class Store;

// The rows of the variable and parameter lists, of the main window and of the formula editor:
// one variable or parameter a row, its symbol, name, value, unit and description a column each.
QTreeWidgetItem* addListRow(QTreeWidget& list, const NamedValue& value);
NamedValue listRow(const QTreeWidgetItem& row);
void setListRow(QTreeWidgetItem& row, const NamedValue& value);

// Appends every variable of one variable table (GlobalVariant or a catalog's own table) to
// list, in the order the table returns them; nothing is cleared first.
void LoadVariableTable(QTreeWidget& list, Store& store, const QString& table);
