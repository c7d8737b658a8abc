#include "calc/parametergrid.h"

#include "calc/resultlist.h"
#include "layout/celltips.h"
#include "layout/messages.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

constexpr int EnterKey = 13;
// Twips, the designed unit of the window, to pixels.
constexpr int TwipsPerPixel = 15;
// The "..." button's size: 375 × 255 twips.
constexpr QSize ChooseButtonSize(25, 17);

bool isEnter(const QEvent* event)
{
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void moveCurrent(QTableWidget& grid, int row, int column)
{
    const bool autoScroll = grid.hasAutoScroll();
    grid.setAutoScroll(false);
    grid.setCurrentCell(row, column);
    grid.setAutoScroll(autoScroll);
}

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
                moveCurrent(grid_, 1, ParameterGrid::InputColumn);
        }
        return false;
    }

private:
    QTableWidget& grid_;
};

} // namespace

ParameterGrid::ParameterGrid(const Controls& controls, Store& store, Messages& messages, ResultList& results,
                             std::function<QString()> selectedCaption)
    : ui_(controls)
    , store_(store)
    , messages_(messages)
    , results_(results)
    , selectedCaption_(std::move(selectedCaption))
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    grid.installEventFilter(this);
    grid.viewport()->installEventFilter(this);
    // The "..." button follows the edited cell as the pointer moves over the grid.
    grid.viewport()->setMouseTracking(true);
    ui_.Text1.installEventFilter(this);
    for (const QScrollBar* bar : {grid.horizontalScrollBar(), grid.verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, &ParameterGrid::MSFlexGrid1_Scroll);
    connect(&ui_.Command3, &QPushButton::clicked, this, &ParameterGrid::Command3_Click);

    // The header row reads as a header and is never a cell the user is on: the arrow keys pass
    // it by, the focus is never drawn on it, and tabbing into the grid lands on the first
    // Input. Tab leaves the grid for the next control; the arrows move between its cells.
    grid.setItemDelegate(new HeaderRowDelegate(&grid));
    new TabIntoInputs(grid);
    grid.setTabKeyNavigation(false);
    CellTips::install(grid);
}

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

void ParameterGrid::setUp()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    clearCells(MinimumRows);
    for (int column = 0; column < ColumnCount; ++column) {
        static constexpr double divisors[] = {4, 4.5, 4, 4, 6};
        grid.setColumnWidth(column, qRound(grid.width() / divisors[column]));
    }
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setDefaultSectionSize(qRound(240.0 / TwipsPerPixel));
    grid.setRowHeight(0, qRound(280.0 / TwipsPerPixel));
    MouseEditOpen = 0;
}

QStringList ParameterGrid::header() const
{
    return {messages_.text(Messages::Label16), messages_.text(Messages::Label17), messages_.text(Messages::Label19),
            messages_.text(Messages::Label18), messages_.text(Messages::Label13)};
}

void ParameterGrid::clearCells(int rows)
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    const QStringList titles = header();
    grid.clearContents();
    grid.setColumnCount(ColumnCount);
    if (rows >= 0)
        grid.setRowCount(rows);
    for (int column = 0; column < ColumnCount; ++column) {
        setCell(grid, 0, column, titles.value(column));
        // Not enabled, so that keyboard moves pass the header by.
        grid.item(0, column)->setFlags(Qt::NoItemFlags);
    }
}

void ParameterGrid::showParameters(const QList<GridRow>& rows)
{
    // Never fewer than six rows, the ones below the last parameter empty.
    clearCells(std::max<int>(MinimumRows, int(rows.size()) + 1));
    QTableWidget& grid = ui_.MSFlexGrid1;
    int row = 1;
    for (const GridRow& parameter : rows) {
        setCell(grid, row, NameColumn, parameter.name);
        setCell(grid, row, SymbolColumn, parameter.symbol);
        setCell(grid, row, InputColumn, parameter.input);
        setCell(grid, row, DefaultColumn, parameter.value);
        setCell(grid, row, UnitColumn, parameter.unit);
        ++row;
    }
}

void ParameterGrid::FillParameterGrid(const QString& caption)
{
    showParameters(Computation::parameters(store_, caption));
}

void ParameterGrid::showRows(const QList<GridRow>& rows)
{
    showParameters(rows);
    moveCurrentCell(0, 0);
}

void ParameterGrid::clear()
{
    // An edit still open belongs to the grid as it was.
    SelectionChanged = 1;
    clearCells();
    moveCurrentCell(0, 0);
}

void ParameterGrid::selectionChanged()
{
    SelectionChanged = 1;
    ui_.Text1.clear();
}

QList<GridRow> ParameterGrid::rowsToCompute()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    QList<GridRow> rows;
    for (int row = 1; row < grid.rowCount(); ++row) {
        rows.append({{cell(grid, row, NameColumn), cell(grid, row, SymbolColumn), cell(grid, row, UnitColumn),
                      cell(grid, row, DefaultColumn), {}},
                     cell(grid, row, InputColumn)});
    }
    moveCurrentCell(grid.rowCount() - 1, InputColumn);
    return rows;
}

void ParameterGrid::hideChooseButton()
{
    ui_.Command3.hide();
}

void ParameterGrid::moveCurrentCell(int row, int column)
{
    moveCurrent(ui_.MSFlexGrid1, row, column);
}

QRect ParameterGrid::cellRect(int row, int column) const
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    const QRect cell = grid.visualRect(grid.model()->index(row, column));
    return QRect(grid.viewport()->mapTo(ui_.Text1.parentWidget(), cell.topLeft()), cell.size());
}

bool ParameterGrid::eventFilter(QObject* watched, QEvent* event)
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!isEnter(event))
            return false;
        if (watched == &grid) {
            MSFlexGrid1_KeyPress(EnterKey);
            return true;
        }
        if (watched == &ui_.Text1) {
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
                    moveCurrentCell(pressed.row(), pressed.column());
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
        if (watched == &ui_.Text1) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Text1_LostFocus();
        }
        return false;
    default:
        return false;
    }
}

int ParameterGrid::ParameterCount()
{
    const QString caption = selectedCaption_();
    return caption.isEmpty() ? 0 : Computation::parameterCount(store_, caption);
}

bool ParameterGrid::OpenEditor()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    int parameters = 0;
    if (column == InputColumn && row >= 1)
        messages_.run([&] { parameters = ParameterCount(); });
    if (column != InputColumn || row < 1 || row > parameters) {
        SelectionChanged = 0;
        return false;
    }

    const QRect cell = cellRect(row, column);
    QLineEdit& editor = ui_.Text1;
    editor.move(cell.topLeft());
    if (!results_.isEmpty()) {
        ui_.Command3.setGeometry(QRect(QPoint(cell.left() + grid.columnWidth(column), cell.top()), ChooseButtonSize));
        ui_.Command3.show();
        ui_.Command3.raise();
    }
    EditRow = short(row);
    EditCol = short(column);
    ui_.Text5.setText(QString::number(row));
    ui_.Text6.setText(QString::number(column));
    editor.resize(cell.width() - 2, cell.height() - 2);
    editor.setText(ParameterGrid::cell(grid, row, column));
    editor.show();
    editor.raise();
    editor.setFocus(Qt::OtherFocusReason);
    SelectionChanged = 0;
    return true;
}

void ParameterGrid::MSFlexGrid1_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        OpenEditor();
}

void ParameterGrid::MSFlexGrid1_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (MouseEditOpen != 0) {
        // This press only closes the edit the last one opened. After a tree click the grid
        // shows another formula, and the edit no longer belongs to it.
        if (MouseEditOpen == 1 && SelectionChanged != 1 && EditRow < ui_.MSFlexGrid1.rowCount()) {
            moveCurrentCell(EditRow, EditCol);
            setCell(ui_.MSFlexGrid1, EditRow, EditCol, ui_.Text1.text());
        }
        MouseEditOpen = 0;
        SelectionChanged = 0;
        return;
    }
    if (OpenEditor())
        MouseEditOpen = 1;
}

void ParameterGrid::MSFlexGrid1_MouseMove()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    if (grid.currentColumn() != InputColumn || grid.currentRow() < 1 || !ui_.Command3.isVisible())
        return;
    const QRect cell = cellRect(grid.currentRow(), grid.currentColumn());
    ui_.Command3.move(cell.left() + grid.columnWidth(InputColumn), ui_.Command3.y());
}

void ParameterGrid::MSFlexGrid1_Scroll()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    if (grid.currentColumn() != InputColumn)
        return;
    const QRect cell = cellRect(grid.currentRow(), grid.currentColumn());
    ui_.Command3.move(cell.left() + grid.columnWidth(InputColumn), ui_.Command3.y());
    ui_.Text1.move(cell.left(), ui_.Text1.y());
}

void ParameterGrid::Text1_KeyPress(int& keyAscii)
{
    if (keyAscii != EnterKey)
        return;
    ui_.MSFlexGrid1.setFocus(Qt::OtherFocusReason);
    keyAscii = 0;
    SelectionChanged = 0;
}

void ParameterGrid::Text1_LostFocus()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    if (EditRow < grid.rowCount()) {
        moveCurrentCell(EditRow, EditCol);
        setCell(grid, EditRow, EditCol, ui_.Text1.text());
    }
    ui_.Text1.setCursorPosition(0);
    ui_.Text1.hide();
    moveCurrentCell(row, column);
}

void ParameterGrid::Command3_Click()
{
    QTableWidget& grid = ui_.MSFlexGrid1;
    QWidget& window = *grid.window();
    if (const std::optional<QString> value = results_.chooseResult(&window)) {
        // The Choose Result dialog's OK puts the result into the cell being edited and its editor.
        bool rowRead = false;
        bool columnRead = false;
        const int row = ui_.Text5.text().toInt(&rowRead);
        const int column = ui_.Text6.text().toInt(&columnRead);
        if (rowRead && columnRead && row >= 0 && row < grid.rowCount() && column >= 0 && column < grid.columnCount()) {
            moveCurrentCell(row, column);
            setCell(grid, row, column, *value);
        }
        ui_.Text1.setText(*value);
    }
    // The keyboard comes back to the grid, on the cell being edited, whether or not the window
    // system gives the window its focus back: F9 or Ctrl+Return computes at once.
    window.activateWindow();
    grid.setFocus(Qt::OtherFocusReason);
}
