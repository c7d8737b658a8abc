#pragma once

#include "calc/fillparametergrid.h"

class QTableWidget;

// Every row of the parameter grid below its header, as it stands, empty rows included.
QList<GridRow> gridParameters(const QTableWidget& grid);

// Makes (row, column) the grid's current cell without scrolling the grid: the handlers move
// the current cell to read or write a cell, and the view stays where the user left it.
void moveCurrentCell(QTableWidget& grid, int row, int column);
