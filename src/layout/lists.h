#pragma once

#include <QList>
#include <QString>
#include <utility>

class QAbstractItemView;
class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

// What the report lists of every window share.

// The list's column titles, each column as wide as the list divided by its divisor.
void setListColumns(QTreeWidget& list, const QList<std::pair<QString, double>>& columns);

// The row the user selected, or nullptr.
QTreeWidgetItem* selectedListRow(const QTreeWidget& list);

// Shows menu at position in the list's viewport until it closes. Nothing happens on an empty
// list; returns whether the menu was shown.
bool popUpListMenu(QTreeWidget& list, QMenu& menu, const QPoint& position);

// The view lays out of each cell's text only what TextRules::shown() keeps. A cell shows one
// line anyway, and measuring a text of megabytes, which a library made by hand may hold, for
// every cell of every row holds the window up for seconds.
void cutLongCells(QAbstractItemView& view);
