#include "calc/sweeptablemodel.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

SweepTableModel::SweepTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void SweepTableModel::setTable(SweepTable table)
{
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int SweepTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.rowCount());
}

int SweepTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.header.size());
}

QVariant SweepTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto row = std::size_t(index.row());
    const bool undefined = index.column() == columnCount() - 1 && table_.undefinedAt(row);
    switch (role) {
    case Qt::DisplayRole:
        return table_.text(row, std::size_t(index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return undefined ? QVariant(QBrush(QPalette().color(QPalette::Disabled, QPalette::Text))) : QVariant();
    case Qt::FontRole: {
        if (!undefined)
            return {};
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    case Qt::ToolTipRole:
        return undefined ? QStringLiteral("The formula is not defined at this point.") : QVariant();
    default:
        return {};
    }
}

QVariant SweepTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return table_.header.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
