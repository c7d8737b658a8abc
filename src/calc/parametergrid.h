#pragma once

#include "calc/computation.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class Messages;
class QEvent;
class QLineEdit;
class QPushButton;
class QTableWidget;
class ResultList;
class Store;

// The parameter grid of the main window: a table whose row 0 is its header row and whose rows
// 1… are a formula's parameters, columns Name, Symbol, Input, Default, Unit, every cell centred.
// Its in-cell editor Text1 opens over an Input cell and writes what was typed back into it; the
// "..." button beside it offers earlier results. The editing state is the grid's own.
class ParameterGrid : public QObject
{
    Q_OBJECT
public:
    enum Column { NameColumn = 0, SymbolColumn = 1, InputColumn = 2, DefaultColumn = 3, UnitColumn = 4 };
    static constexpr int ColumnCount = 5;
    static constexpr int MinimumRows = 6;

    // The main window's controls the grid works with. Text5 and Text6 hold the edited cell's row
    // and column as text.
    struct Controls
    {
        QTableWidget& MSFlexGrid1;
        QLineEdit& Text1;
        QPushButton& Command3;
        QLineEdit& Text5;
        QLineEdit& Text6;
    };

    // selectedCaption gives the caption of the node selected in the tree, empty when none is:
    // the formula whose parameters the edits are for.
    ParameterGrid(const Controls& controls, Store& store, Messages& messages, ResultList& results,
                  std::function<QString()> selectedCaption);

    static QString cell(const QTableWidget& grid, int row, int column);
    static void setCell(QTableWidget& grid, int row, int column, const QString& text);

    // At load: the header row and five empty rows, the columns' widths.
    void setUp();
    // The parameters of the formula captioned caption, each Input starting at its default value.
    void FillParameterGrid(const QString& caption);
    // A computation's parameters, Input holding the value computed with.
    void showRows(const QList<GridRow>& rows);
    // Every cell emptied, the header row kept.
    void clear();
    // The tree showed another node: an edit still open no longer belongs to what the grid shows.
    void selectionChanged();
    // Every row below the header as it stands, empty ones included, for Calculate.
    QList<GridRow> rowsToCompute();
    void hideChooseButton();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int ParameterCount();
    bool OpenEditor();
    void MSFlexGrid1_KeyPress(int keyAscii);
    void MSFlexGrid1_MouseDown(Qt::MouseButton button);
    void MSFlexGrid1_MouseMove();
    void MSFlexGrid1_Scroll();
    void Text1_KeyPress(int& keyAscii);
    void Text1_LostFocus();
    void Command3_Click();

    QStringList header() const;
    // Empties every cell, keeps rows rows (the current count when -1) and writes the header row.
    void clearCells(int rows = -1);
    void showParameters(const QList<GridRow>& rows);
    // Makes (row, column) the current cell without scrolling: the handlers move the current cell
    // to read or write a cell, and the view stays where the user left it.
    void moveCurrentCell(int row, int column);
    // The cell's rectangle in the coordinates of the window, where the editor and button are.
    QRect cellRect(int row, int column) const;

    Controls ui_;
    Store& store_;
    Messages& messages_;
    ResultList& results_;
    std::function<QString()> selectedCaption_;

    // The cell last opened, whether a mouse press opened it, and whether the grid was refilled
    // since (then a pending edit is stale).
    short EditRow = 0;
    short EditCol = 0;
    short MouseEditOpen = 0;
    short SelectionChanged = 0;
};
