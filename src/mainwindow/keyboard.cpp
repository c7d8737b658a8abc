#include "mainwindow/keyboard.h"

#include "calc/parametergrid.h"
#include "layout/focusmarker.h"
#include "mainwindow/form1.h"

#include <QShortcut>

namespace {

void calculate(form1& window)
{
    Ui::form1& ui = window.controls();
    // A value still being typed is written back first, as when the button is clicked.
    if (ui.Text1->hasFocus())
        ui.MSFlexGrid1->setFocus(Qt::ShortcutFocusReason);
    ui.Command1->click();
}

} // namespace

void connectKeyboard(form1& window)
{
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter),
                                     QKeySequence(Qt::Key_F9)}) {
        auto* shortcut = new QShortcut(keys, &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &window, [&window] { calculate(window); });
    }
    // Tab goes only to controls that take input; the expression and the description are
    // still there to be selected with the mouse.
    for (QWidget* shown : std::initializer_list<QWidget*>{window.controls().Text3, window.controls().Text4})
        shown->setFocusPolicy(Qt::ClickFocus);
    QTableWidget& grid = *window.controls().MSFlexGrid1;
    // Tab leaves the grid for the next control; the arrows move between its cells.
    grid.setTabKeyNavigation(false);
    ParameterGrid::keepHeaderAside(grid);
    markFocus(window);
}
