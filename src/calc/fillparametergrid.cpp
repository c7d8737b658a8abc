#include "calc/fillparametergrid.h"

#include "calc/parametergrid.h"
#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QTableWidget>

void showGridRows(QTableWidget& grid, const QStringList& header, const QList<GridRow>& parameters)
{
    ParameterGrid::clear(grid, header, std::max<int>(ParameterGrid::MinimumRows, int(parameters.size()) + 1));
    int row = 1;
    for (const GridRow& parameter : parameters) {
        ParameterGrid::setCell(grid, row, ParameterGrid::NameColumn, parameter.name);
        ParameterGrid::setCell(grid, row, ParameterGrid::SymbolColumn, parameter.symbol);
        ParameterGrid::setCell(grid, row, ParameterGrid::InputColumn, parameter.input);
        ParameterGrid::setCell(grid, row, ParameterGrid::DefaultColumn, parameter.value);
        ParameterGrid::setCell(grid, row, ParameterGrid::UnitColumn, parameter.unit);
        ++row;
    }
}

void FillParameterGrid(QTableWidget& grid, Store& store, const QString& caption, const QStringList& header)
{
    QList<GridRow> parameters;
    if (const std::optional<QString> table = ItemRow::table(store, caption)) {
        for (const QSqlRecord& row : store.query(QStringLiteral("select * from ") + sqlName(*table)
                                                 + QStringLiteral(" where ispara = 1 "))) {
            GridRow parameter{NamedValue::fromRow(row), {}};
            parameter.input = parameter.value;
            parameters.append(parameter);
        }
    }
    showGridRows(grid, header, parameters);
}
