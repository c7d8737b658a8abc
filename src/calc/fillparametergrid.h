#pragma once

#include "calc/computation.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTableWidget;
class Store;

// Shows parameters in the grid: everything cleared, the header row written, one row per
// parameter from row 1, and never fewer than six rows, the ones below the last parameter
// empty.
void showGridRows(QTableWidget& grid, const QStringList& header, const QList<GridRow>& parameters);

// Fills the grid with the parameters of the formula captioned caption, each Input starting at
// its default value.
void FillParameterGrid(QTableWidget& grid, Store& store, const QString& caption, const QStringList& header);
