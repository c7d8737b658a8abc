#pragma once

// Driving the main window's grid, "Calculate" and result list the way a user does: through
// mouse presses and keys on the real widgets.
#include "editor/formulas.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace calcwindow {

// A main window with the keyboard focus, so that the in-cell editor can gain and lose it.
inline form1& openActiveWindow(LibraryFixture& library)
{
    form1& window = library.openWindow();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("main window did not become active");
    return window;
}

inline QTableWidget& grid(form1& window)
{
    return *window.controls().MSFlexGrid1;
}

inline QTreeWidget& results(form1& window)
{
    return *window.controls().ListView1;
}

inline QString cell(form1& window, int row, int column)
{
    const QTableWidgetItem* item = grid(window).item(row, column);
    return item ? item->text() : QString();
}

inline QRect cellRect(form1& window, int row, int column)
{
    QTableWidget& table = grid(window);
    return table.visualRect(table.model()->index(row, column));
}

// Clicks the tree node captioned caption, opening the catalogs above it first.
inline QTreeWidgetItem* clickNode(form1& window, const QString& caption)
{
    QTreeWidget& tree = *window.controls().Tvwmain;
    QTreeWidgetItem* node = window.tree().find(caption);
    if (!node)
        return nullptr;
    for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree.scrollToItem(node);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    return node;
}

inline void pressCell(form1& window, int row, int column, Qt::MouseButton button = Qt::LeftButton)
{
    grid(window).scrollTo(grid(window).model()->index(row, column));
    QTest::mouseClick(grid(window).viewport(), button, {}, cellRect(window, row, column).center());
}

inline void enterOnCell(form1& window, int row, int column)
{
    QTableWidget& table = grid(window);
    table.setCurrentCell(row, column);
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_Return);
}

// Opens the editor on an Input cell with Enter, replaces its text and closes it with Enter.
inline void typeInput(form1& window, int row, const QString& text)
{
    enterOnCell(window, row, 2);
    QLineEdit& editor = *window.controls().Text1;
    editor.selectAll();
    QTest::keyClick(&editor, Qt::Key_Delete);
    QTest::keyClicks(&editor, text);
    QTest::keyClick(&editor, Qt::Key_Return);
}

inline void calculate(form1& window)
{
    QTest::mouseClick(window.controls().Command1, Qt::LeftButton);
}

inline QStringList resultRow(form1& window, int index)
{
    QStringList columns;
    if (const QTreeWidgetItem* row = results(window).topLevelItem(index)) {
        for (int column = 0; column < 6; ++column)
            columns << row->text(column);
    }
    return columns;
}

inline void clickResult(form1& window, int index)
{
    QTreeWidget& list = results(window);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.topLevelItem(index)).center());
}

// Adds a formula directly under the root, every parameter with an empty unit and description.
inline void addFormula(Store& store, const QString& name, const QString& expression, const QString& precision,
                       const QList<std::pair<QString, QString>>& symbolsAndDefaults)
{
    Formula formula{name, QStringLiteral("y"), QStringLiteral("u"), expression, QStringLiteral("Test formula"),
                    precision, {}};
    for (const auto& [symbol, value] : symbolsAndDefaults)
        formula.parameters.append({QStringLiteral("Param ") + symbol, symbol, QString(), value, QString()});
    Formulas::add(store, formula, QString());
}

} // namespace calcwindow
