#include "calc/fillparametergrid.h"

#include "calc/parametergrid.h"
#include "store/fieldtext.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QTableWidget>

void showGridParameters(QTableWidget& grid, const QStringList& header, const QList<GridParameter>& parameters)
{
    ParameterGrid::clear(grid, header, std::max<int>(ParameterGrid::MinimumRows, int(parameters.size()) + 1));
    int row = 1;
    for (const GridParameter& parameter : parameters) {
        ParameterGrid::setCell(grid, row, ParameterGrid::NameColumn, parameter.name);
        ParameterGrid::setCell(grid, row, ParameterGrid::SymbolColumn, parameter.symbol);
        ParameterGrid::setCell(grid, row, ParameterGrid::InputColumn, parameter.input);
        ParameterGrid::setCell(grid, row, ParameterGrid::DefaultColumn, parameter.defaultValue);
        ParameterGrid::setCell(grid, row, ParameterGrid::UnitColumn, parameter.unit);
        ++row;
    }
}

void FillParameterGrid(QTableWidget& grid, Store& store, const QString& caption, const QStringList& header)
{
    QList<GridParameter> parameters;
    if (const auto item = store.first(QStringLiteral("select * from CataConstruct where caption=?"), {caption})) {
        const QString table = sqlName(item->value(QStringLiteral("indtable")).toString());
        for (const QSqlRecord& row : store.query(QStringLiteral("select * from ") + table
                                                 + QStringLiteral(" where ispara = 1 "))) {
            const QString value = fieldText(row, QStringLiteral("defvalue"));
            parameters.append({fieldText(row, QStringLiteral("name")), fieldText(row, QStringLiteral("varname")), value,
                               value, fieldText(row, QStringLiteral("unit"))});
        }
    }
    showGridParameters(grid, header, parameters);
}
