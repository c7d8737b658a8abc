// The variable list of the main window: its mouse and key events, and the commands that open
// the variable dialog or delete variables.
#include "layout/contextmenu.h"
#include "layout/lists.h"
#include "layout/userdialogs.h"
#include "mainwindow/form1.h"
#include "variables/frmaddvar.h"
#include "variables/listrow.h"
#include "variables/variables.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int DeleteKey = 46;
}

void form1::connectVariables()
{
    connect(ui.mdefval, &QAction::triggered, this, &form1::mdefval_Click);
    connect(ui.mdefvarroot, &QAction::triggered, this, &form1::mdefval_Click);
    connect(ui.Rmodvar, &QAction::triggered, this, &form1::Rmodvar_Click);
    connect(ui.Rdelvar, &QAction::triggered, this, &form1::Rdelvar_Click);
    connect(ui.Rdelallvar, &QAction::triggered, this, &form1::Rdelallvar_Click);
    ui.ListView2->installEventFilter(this);
    ui.ListView2->viewport()->installEventFilter(this);
}

bool form1::variableListEvent(QObject* watched, QEvent* event)
{
    QTreeWidget& list = *ui.ListView2;
    if (const auto at = contextMenuAt(list, watched, event)) {
        ListView2_MouseDown(Qt::RightButton, *at);
        return true;
    }
    if (watched == &list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        ListView2_KeyDown(DeleteKey);
        return true;
    }
    const QEvent::Type type = event->type();
    if (watched != list.viewport()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick))
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (type == QEvent::MouseButtonDblClick) {
        ListView2_DblClick();
        return true;
    }
    // A click anywhere in the list counts, on a row or not; the row is selected by then.
    if (type == QEvent::MouseButtonRelease)
        ListView2_Click();
    return false;
}

std::optional<QString> form1::variableLevel() const
{
    const QTreeWidgetItem* node = ui.Tvwmain->currentItem();
    if (!node || !FormulaTree::isFolder(node))
        return std::nullopt;
    return tree_.isRoot(node) ? QString() : FormulaTree::key(node);
}

void form1::mdefval_Click()
{
    Frmaddvar dialog(*this);
    dialog.exec();
}

void form1::Rmodvar_Click()
{
    QTreeWidgetItem* entry = selectedListRow(*ui.ListView2);
    if (!entry)
        return;
    Frmaddvar dialog(*this);
    dialog.setModify(entry);
    dialog.exec();
}

void form1::Rdelvar_Click()
{
    QTreeWidgetItem* entry = selectedListRow(*ui.ListView2);
    const std::optional<QString> level = variableLevel();
    if (!entry || !level || messages_->box(Messages::Label51, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    const NamedValue listed = listRow(*entry);
    auto problem = Variables::Problem::None;
    if (!messages_->run([&] { problem = Variables::remove(store_, *level, listed); }))
        return;
    // Another window changed the variable, or renamed or deleted its catalog, since the list
    // showed it: what the user meant to delete is not what the library holds.
    if (problem == Variables::Problem::Changed)
        messages_->box(Messages::Label73, listed.symbol, MsgStyle::Information);
    else if (problem == Variables::Problem::CatalogMissing)
        messages_->box(Messages::Label74, *level, MsgStyle::Information);
    else
        delete entry;
}

void form1::Rdelallvar_Click()
{
    const std::optional<QString> level = variableLevel();
    if (!level || messages_->box(Messages::Label52, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    ui.ListView2->clear();
    if (messages_->run([&] { Variables::removeAll(store_, *level); }))
        return;
    // Nothing was deleted: the list shows again what the library still holds.
    messages_->run([&] {
        if (const std::optional<QString> table = Variables::tableOf(store_, *level))
            LoadVariableTable(*ui.ListView2, store_, *table);
    });
}

void form1::ListView2_Click()
{
    enableVariableEntries(ui.ListView2->topLevelItemCount() > 0);
}

void form1::ListView2_DblClick()
{
    if (ui.ListView2->topLevelItemCount() > 0)
        Rmodvar_Click();
}

void form1::ListView2_KeyDown(int keyCode)
{
    if (keyCode == DeleteKey)
        Rdelvar_Click();
}

void form1::ListView2_MouseDown(Qt::MouseButton button, const QPoint& position)
{
    // Until the menu has been open once, its entries keep the states the tree click gave them.
    if (button == Qt::RightButton && popUpListMenu(*ui.ListView2, *ui.Rmoddelvar, position))
        enableVariableEntries(true);
}

void form1::enableVariableEntries(bool enabled)
{
    for (QAction* entry : {ui.Rmodvar, ui.Rdelvar, ui.Rdelallvar})
        entry->setEnabled(enabled);
}
