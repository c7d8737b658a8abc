#pragma once

#include <QString>
#include <QStringList>

class QTableWidget;

// The parameter grid: a table whose row 0 is its header row and whose rows 1… are a formula's
// parameters, columns Name, Symbol, Input, Default, Unit. Every cell is centred.
namespace ParameterGrid {

enum Column { NameColumn = 0, SymbolColumn = 1, InputColumn = 2, DefaultColumn = 3, UnitColumn = 4 };
constexpr int ColumnCount = 5;
constexpr int MinimumRows = 6;

QString cell(const QTableWidget& grid, int row, int column);
void setCell(QTableWidget& grid, int row, int column, const QString& text);
// Empties every cell, keeps rows rows (the current count when -1) and writes the header row.
void clear(QTableWidget& grid, const QStringList& header, int rows = -1);

// The header row reads as a header and is never a cell the user is on: the arrow keys pass it
// by, the focus is never drawn on it, and tabbing into the grid lands on the first Input.
void keepHeaderAside(QTableWidget& grid);

} // namespace ParameterGrid
