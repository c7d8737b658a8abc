#pragma once

class QSqlRecord;
class QTreeWidget;

// The row of the variable and parameter lists: symbol, then name, value, unit, description.
void addListRow(QTreeWidget& list, const QSqlRecord& row);
