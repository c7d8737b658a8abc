#pragma once

#include <QString>
#include <functional>

class QAbstractItemView;
class QModelIndex;

// Tooltips over the cells of item views: a cell that shows less than its text shows the whole
// of it when the pointer rests on it.
namespace CellTips {

// What a view never shows of the row at index; when it gives any text, that text is the tooltip
// of every cell of the row.
using Details = std::function<QString(const QModelIndex&)>;

void install(QAbstractItemView& view, Details details = {});

// Whether the cell shows less than its text: the text is wider than the part of the cell in
// sight, or has more than one line.
bool cutOff(const QAbstractItemView& view, const QModelIndex& index);

// The tooltip for the cell at index; empty when it needs none.
QString text(const QAbstractItemView& view, const QModelIndex& index, const Details& details = {});

} // namespace CellTips
