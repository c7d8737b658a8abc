#pragma once

#include <QString>

class QTreeWidget;
class Store;

// Appends every variable of one variable table (GlobalVariant or a catalog's own table) to
// list, in the order the table returns them, as list rows; nothing is cleared first.
void LoadVariableTable(QTreeWidget& list, Store& store, const QString& table);
