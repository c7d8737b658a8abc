#include "variables/variablelist.h"

#include "layout/celltips.h"
#include "layout/contextmenu.h"
#include "layout/lists.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "variables/frmaddvar.h"
#include "variables/listrow.h"
#include "variables/variables.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {
constexpr int DeleteKey = 46;
}

VariableList::VariableList(const Controls& controls, Store& store, Messages& messages, Level level)
    : ui_(controls)
    , store_(store)
    , messages_(messages)
    , level_(std::move(level))
{
    connect(&ui_.mdefval, &QAction::triggered, this, &VariableList::mdefval_Click);
    connect(&ui_.mdefvarroot, &QAction::triggered, this, &VariableList::mdefval_Click);
    connect(&ui_.Rmodvar, &QAction::triggered, this, &VariableList::Rmodvar_Click);
    connect(&ui_.Rdelvar, &QAction::triggered, this, &VariableList::Rdelvar_Click);
    connect(&ui_.Rdelallvar, &QAction::triggered, this, &VariableList::Rdelallvar_Click);
    QTreeWidget& list = ui_.ListView2;
    list.installEventFilter(this);
    list.viewport()->installEventFilter(this);
    cutLongCells(list);
    CellTips::install(list);
}

void VariableList::setUp()
{
    setListColumns(ui_.ListView2, {{messages_.text(Messages::Label5), 4}, {messages_.text(Messages::Label6), 3.5},
                                   {messages_.text(Messages::Label7), 4}, {messages_.text(Messages::Label8), 5},
                                   {messages_.text(Messages::Label9), 5}});
}

void VariableList::clear()
{
    ui_.ListView2.clear();
}

void VariableList::LoadVariableTable(const QString& table)
{
    ::LoadVariableTable(ui_.ListView2, store_, table);
}

void VariableList::offerChanges()
{
    const bool listed = ui_.ListView2.topLevelItemCount() > 0;
    ui_.Rmodvar.setEnabled(listed);
    ui_.Rdelvar.setEnabled(listed);
}

void VariableList::enableVariableEntries(bool enabled)
{
    for (QAction* entry : {&ui_.Rmodvar, &ui_.Rdelvar, &ui_.Rdelallvar})
        entry->setEnabled(enabled);
}

bool VariableList::eventFilter(QObject* watched, QEvent* event)
{
    QTreeWidget& list = ui_.ListView2;
    if (const auto at = contextMenuAt(list, watched, event)) {
        ListView2_MouseDown(Qt::RightButton, *at);
        return true;
    }
    if (deleteKeyOn(list, watched, event)) {
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

void VariableList::mdefval_Click()
{
    Frmaddvar dialog(store_, messages_, ui_.ListView2, level_(), ui_.ListView2.window());
    dialog.exec();
}

void VariableList::Rmodvar_Click()
{
    QTreeWidgetItem* entry = selectedListRow(ui_.ListView2);
    if (!entry)
        return;
    Frmaddvar dialog(store_, messages_, ui_.ListView2, level_(), ui_.ListView2.window());
    dialog.setModify(entry);
    dialog.exec();
}

void VariableList::Rdelvar_Click()
{
    QTreeWidgetItem* entry = selectedListRow(ui_.ListView2);
    const std::optional<QString> level = level_();
    if (!entry || !level || messages_.box(Messages::Label51, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    const NamedValue listed = listRow(*entry);
    auto problem = Variables::Problem::None;
    if (!messages_.run([&] { problem = Variables::remove(store_, *level, listed); }))
        return;
    // Another window changed the variable, or renamed or deleted its catalog, since the list
    // showed it: what the user meant to delete is not what the library holds.
    if (problem == Variables::Problem::Changed)
        messages_.box(Messages::Label73, listed.symbol, MsgStyle::Information);
    else if (problem == Variables::Problem::CatalogMissing)
        messages_.box(Messages::Label74, *level, MsgStyle::Information);
    else
        delete entry;
}

void VariableList::Rdelallvar_Click()
{
    const std::optional<QString> level = level_();
    if (!level || messages_.box(Messages::Label52, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    ui_.ListView2.clear();
    if (messages_.run([&] { Variables::removeAll(store_, *level); }))
        return;
    // Nothing was deleted: the list shows again what the library still holds.
    messages_.run([&] {
        if (const std::optional<QString> table = Variables::tableOf(store_, *level))
            LoadVariableTable(*table);
    });
}

void VariableList::ListView2_Click()
{
    enableVariableEntries(ui_.ListView2.topLevelItemCount() > 0);
}

void VariableList::ListView2_DblClick()
{
    if (ui_.ListView2.topLevelItemCount() > 0)
        Rmodvar_Click();
}

void VariableList::ListView2_KeyDown(int keyCode)
{
    if (keyCode == DeleteKey)
        Rdelvar_Click();
}

void VariableList::ListView2_MouseDown(Qt::MouseButton button, const QPoint& position)
{
    // Until the menu has been open once, its entries keep the states the tree click gave them.
    if (button == Qt::RightButton && popUpListMenu(ui_.ListView2, ui_.Rmoddelvar, position))
        enableVariableEntries(true);
}
