#include "calc/gridparameters.h"

#include "calc/parametergrid.h"

#include <QTableWidget>

QList<GridRow> gridParameters(const QTableWidget& grid)
{
    using namespace ParameterGrid;
    QList<GridRow> rows;
    for (int row = 1; row < grid.rowCount(); ++row) {
        rows.append({{cell(grid, row, NameColumn), cell(grid, row, SymbolColumn), cell(grid, row, UnitColumn),
                      cell(grid, row, DefaultColumn), {}},
                     cell(grid, row, InputColumn)});
    }
    return rows;
}

void moveCurrentCell(QTableWidget& grid, int row, int column)
{
    const bool autoScroll = grid.hasAutoScroll();
    grid.setAutoScroll(false);
    grid.setCurrentCell(row, column);
    grid.setAutoScroll(autoScroll);
}
