#include "calc/resultdetails.h"

#include "calc/computationtext.h"
#include "calc/resultlist.h"
#include "mainwindow/celltips.h"
#include "mainwindow/form1.h"
#include "store/storeerror.h"
#include "variables/listrow.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

void copySelected(form1& window)
{
    const QTreeWidgetItem* selected = selectedListRow(*window.controls().ListView1);
    if (!selected)
        return;
    const ResultRow row = resultRowOf(*selected);
    // A formula that has left the library leaves its history unreachable; the result remains.
    std::optional<Computation::Recalled> recalled;
    if (!window.runCommand([&] { recalled = Computation::recall(window.store(), row.formula, row.number); }))
        return;
    QGuiApplication::clipboard()->setText(ComputationText::copy(row, recalled ? recalled->parameters : QList<GridParameter>{}));
}

// A tooltip reads quietly: a library that cannot be read now only leaves it out.
QString details(form1& window, const QTreeWidgetItem* item)
{
    if (!item)
        return {};
    const ResultRow row = resultRowOf(*item);
    try {
        if (const auto recalled = Computation::recall(window.store(), row.formula, row.number))
            return ComputationText::details(row, recalled->expression, recalled->parameters);
    } catch (const StoreError&) {
    }
    return {};
}

} // namespace

void connectResultDetails(form1& window)
{
    Ui::form1& ui = window.controls();
    QTreeWidget& list = *ui.ListView1;
    ui.Rcopyres->setShortcut(QKeySequence::Copy);
    ui.Rcopyres->setShortcutContext(Qt::WidgetShortcut);
    list.addAction(ui.Rcopyres);
    QObject::connect(ui.Rcopyres, &QAction::triggered, &window, [&window] { copySelected(window); });
    CellTips::install(list, [&window, &list](const QModelIndex& index) {
        return details(window, list.itemFromIndex(index));
    });
}
