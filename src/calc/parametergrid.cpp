#include "calc/parametergrid.h"

#include <QTableWidget>

QString ParameterGrid::cell(const QTableWidget& grid, int row, int column)
{
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text() : QString();
}

void ParameterGrid::setCell(QTableWidget& grid, int row, int column, const QString& text)
{
    QTableWidgetItem* item = grid.item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        grid.setItem(row, column, item);
    }
    item->setText(text);
}

void ParameterGrid::clear(QTableWidget& grid, const QStringList& header, int rows)
{
    grid.clearContents();
    grid.setColumnCount(ColumnCount);
    if (rows >= 0)
        grid.setRowCount(rows);
    for (int column = 0; column < ColumnCount; ++column)
        setCell(grid, 0, column, header.value(column));
}
