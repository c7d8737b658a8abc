#include "calc/resultdetails.h"

#include "calc/computationtext.h"
#include "calc/resultlist.h"
#include "layout/celltips.h"
#include "layout/lists.h"
#include "mainwindow/form1.h"
#include "variables/listrow.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

void copySelected(const QTreeWidget& list)
{
    if (const QTreeWidgetItem* selected = selectedListRow(list))
        QGuiApplication::clipboard()->setText(ComputationText::copy(recordOf(*selected)));
}

} // namespace

void connectResultDetails(form1& window)
{
    Ui::form1& ui = window.controls();
    QTreeWidget& list = *ui.ListView1;
    ui.Rcopyres->setShortcut(QKeySequence::Copy);
    ui.Rcopyres->setShortcutContext(Qt::WidgetShortcut);
    list.addAction(ui.Rcopyres);
    QObject::connect(ui.Rcopyres, &QAction::triggered, &window, [&list] { copySelected(list); });
    CellTips::install(list, [&list](const QModelIndex& index) {
        const QTreeWidgetItem* row = list.itemFromIndex(index);
        return row ? ComputationText::details(recordOf(*row)) : QString();
    });
}
