#include "calc/parametergrid.h"

#include "calc/gridparameters.h"

#include <QFocusEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

// Draws the header row on the button face, in the colours of an enabled cell, and never with
// the focus frame.
class HeaderRowDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.row() != 0)
            return;
        option->state &= ~QStyle::State_HasFocus;
        option->state |= QStyle::State_Enabled;
        option->palette.setCurrentColorGroup(QPalette::Normal);
        option->backgroundBrush = option->palette.button();
    }
};

// Tabbing into the grid while the header row is current moves on to the first Input.
class TabIntoInputs final : public QObject
{
public:
    explicit TabIntoInputs(QTableWidget& grid)
        : QObject(&grid)
        , grid_(grid)
    {
        grid.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &grid_ && event->type() == QEvent::FocusIn && grid_.currentRow() < 1 && grid_.rowCount() > 1) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                moveCurrentCell(grid_, 1, ParameterGrid::InputColumn);
        }
        return false;
    }

private:
    QTableWidget& grid_;
};

} // namespace

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
    for (int column = 0; column < ColumnCount; ++column) {
        setCell(grid, 0, column, header.value(column));
        // Not enabled, so that keyboard moves pass the header by; see keepHeaderAside.
        grid.item(0, column)->setFlags(Qt::NoItemFlags);
    }
}

void ParameterGrid::keepHeaderAside(QTableWidget& grid)
{
    grid.setItemDelegate(new HeaderRowDelegate(&grid));
    new TabIntoInputs(grid);
}
