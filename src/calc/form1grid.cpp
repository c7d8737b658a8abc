// The parameter grid's in-cell editor: Text1 laid over an Input cell, the "..." button beside
// it, and the write-back of what was typed.
#include "calc/computation.h"
#include "calc/gridparameters.h"
#include "calc/parametergrid.h"
#include "calc/resultlist.h"
#include "mainwindow/form1.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

constexpr int EnterKey = 13;
// The "..." button's size: 375 × 255 twips.
constexpr QSize ChooseButtonSize(25, 17);

bool isEnter(const QEvent* event)
{
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The cell's rectangle in the coordinates of the grid's window.
QRect cellRect(QTableWidget& grid, QWidget& window, int row, int column)
{
    const QRect cell = grid.visualRect(grid.model()->index(row, column));
    return QRect(grid.viewport()->mapTo(&window, cell.topLeft()), cell.size());
}

} // namespace

void form1::connectGrid()
{
    QTableWidget& grid = *ui.MSFlexGrid1;
    grid.installEventFilter(this);
    grid.viewport()->installEventFilter(this);
    // The "..." button follows the edited cell as the pointer moves over the grid.
    grid.viewport()->setMouseTracking(true);
    ui.Text1->installEventFilter(this);
    for (const QScrollBar* bar : {grid.horizontalScrollBar(), grid.verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, &form1::MSFlexGrid1_Scroll);
    connect(ui.Command3, &QPushButton::clicked, this, &form1::Command3_Click);
}

bool form1::gridEvent(QObject* watched, QEvent* event)
{
    QTableWidget& grid = *ui.MSFlexGrid1;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!isEnter(event))
            return false;
        if (watched == &grid) {
            MSFlexGrid1_KeyPress(EnterKey);
            return true;
        }
        if (watched == ui.Text1) {
            int keyAscii = EnterKey;
            Text1_KeyPress(keyAscii);
            return keyAscii == 0;
        }
        return false;
    case QEvent::MouseButtonPress:
        if (watched != grid.viewport())
            return false;
        {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton) {
                const QModelIndex pressed = grid.indexAt(press->position().toPoint());
                if (pressed.isValid())
                    moveCurrentCell(grid, pressed.row(), pressed.column());
            }
            MSFlexGrid1_MouseDown(press->button());
        }
        // The grid's own handling would move the current cell the handler has just placed.
        return true;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click is part of the click, not a press of its own.
        return watched == grid.viewport();
    case QEvent::MouseMove:
        if (watched == grid.viewport())
            MSFlexGrid1_MouseMove();
        return false;
    case QEvent::FocusOut:
        // Another window or a popup taking the keyboard leaves the edit open, as it is when
        // the user comes back.
        if (watched == ui.Text1) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Text1_LostFocus();
        }
        return false;
    default:
        return false;
    }
}

int form1::ParameterCount()
{
    const QTreeWidgetItem* node = ui.Tvwmain->currentItem();
    return node ? Computation::parameterCount(store_, node->text(0)) : 0;
}

bool form1::OpenEditor()
{
    QTableWidget& grid = *ui.MSFlexGrid1;
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    int parameters = 0;
    if (column == ParameterGrid::InputColumn && row >= 1)
        messages_->run([&] { parameters = ParameterCount(); });
    if (column != ParameterGrid::InputColumn || row < 1 || row > parameters) {
        SelectionChanged = 0;
        return false;
    }

    const QRect cell = cellRect(grid, *this, row, column);
    ui.Text1->move(cell.topLeft());
    if (!results_->isEmpty()) {
        ui.Command3->setGeometry(QRect(QPoint(cell.left() + grid.columnWidth(column), cell.top()), ChooseButtonSize));
        ui.Command3->show();
        ui.Command3->raise();
    }
    EditRow = short(row);
    EditCol = short(column);
    ui.Text5->setText(QString::number(row));
    ui.Text6->setText(QString::number(column));
    ui.Text1->resize(cell.width() - 2, cell.height() - 2);
    ui.Text1->setText(ParameterGrid::cell(grid, row, column));
    ui.Text1->show();
    ui.Text1->raise();
    ui.Text1->setFocus(Qt::OtherFocusReason);
    SelectionChanged = 0;
    return true;
}

void form1::MSFlexGrid1_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        OpenEditor();
}

void form1::MSFlexGrid1_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (MouseEditOpen != 0) {
        // This press only closes the edit the last one opened. After a tree click the grid
        // shows another formula, and the edit no longer belongs to it.
        if (MouseEditOpen == 1 && SelectionChanged != 1 && EditRow < ui.MSFlexGrid1->rowCount()) {
            moveCurrentCell(*ui.MSFlexGrid1, EditRow, EditCol);
            ParameterGrid::setCell(*ui.MSFlexGrid1, EditRow, EditCol, ui.Text1->text());
        }
        MouseEditOpen = 0;
        SelectionChanged = 0;
        return;
    }
    if (OpenEditor())
        MouseEditOpen = 1;
}

void form1::MSFlexGrid1_MouseMove()
{
    QTableWidget& grid = *ui.MSFlexGrid1;
    if (grid.currentColumn() != ParameterGrid::InputColumn || grid.currentRow() < 1 || !ui.Command3->isVisible())
        return;
    const QRect cell = cellRect(grid, *this, grid.currentRow(), grid.currentColumn());
    ui.Command3->move(cell.left() + grid.columnWidth(ParameterGrid::InputColumn), ui.Command3->y());
}

void form1::MSFlexGrid1_Scroll()
{
    QTableWidget& grid = *ui.MSFlexGrid1;
    if (grid.currentColumn() != ParameterGrid::InputColumn)
        return;
    const QRect cell = cellRect(grid, *this, grid.currentRow(), grid.currentColumn());
    ui.Command3->move(cell.left() + grid.columnWidth(ParameterGrid::InputColumn), ui.Command3->y());
    ui.Text1->move(cell.left(), ui.Text1->y());
}

void form1::Text1_KeyPress(int& keyAscii)
{
    if (keyAscii != EnterKey)
        return;
    ui.MSFlexGrid1->setFocus(Qt::OtherFocusReason);
    keyAscii = 0;
    SelectionChanged = 0;
}

void form1::Text1_LostFocus()
{
    QTableWidget& grid = *ui.MSFlexGrid1;
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    if (EditRow < grid.rowCount()) {
        moveCurrentCell(grid, EditRow, EditCol);
        ParameterGrid::setCell(grid, EditRow, EditCol, ui.Text1->text());
    }
    ui.Text1->setCursorPosition(0);
    ui.Text1->hide();
    moveCurrentCell(grid, row, column);
}

void form1::Command3_Click()
{
    if (const std::optional<QString> value = results_->chooseResult(this)) {
        QTableWidget& grid = *ui.MSFlexGrid1;
        bool rowRead = false;
        bool columnRead = false;
        const int row = ui.Text5->text().toInt(&rowRead);
        const int column = ui.Text6->text().toInt(&columnRead);
        if (rowRead && columnRead && row >= 0 && row < grid.rowCount() && column >= 0 && column < grid.columnCount()) {
            moveCurrentCell(grid, row, column);
            ParameterGrid::setCell(grid, row, column, *value);
        }
        ui.Text1->setText(*value);
    }
    // The keyboard comes back to the grid, on the cell being edited, whether or not the window
    // system gives the window its focus back: F9 or Ctrl+Return computes at once.
    activateWindow();
    ui.MSFlexGrid1->setFocus(Qt::OtherFocusReason);
}
