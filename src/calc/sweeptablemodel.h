#pragma once

#include "calc/sweeptable.h"

#include <QAbstractTableModel>

// A sweep's table for a view: its headings, and each cell as the table shows it, made only when
// the view asks for it, so that a sweep of many thousand points shows at once. Points where the
// formula is not defined stand out.
class SweepTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit SweepTableModel(QObject* parent = nullptr);

    void setTable(SweepTable table);
    const SweepTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    SweepTable table_;
};
