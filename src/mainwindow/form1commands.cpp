// The tree's menu commands: catalogs and deletions.
#include "calc/resultlist.h"
#include "layout/userdialogs.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/deletions.h"
#include "mainwindow/form1.h"
#include "mainwindow/frmaddcata.h"
#include "store/store.h"
#include "ui_form1.h"
#include "variables/variablelist.h"

void form1::connectCommands()
{
    // The right-hand side always shows the tree's current node, however it became current: a
    // click, the arrow keys, typing a name. A click on the node already current shows it again.
    connect(ui->Tvwmain, &QTreeWidget::currentItemChanged, this, [this] {
        Tvwmain_Click();
        nodeShownByPress_ = true;
    });
    connect(ui->Tvwmain, &QTreeWidget::itemClicked, this, [this] {
        if (!nodeShownByPress_)
            Tvwmain_Click();
        nodeShownByPress_ = false;
    });
    connect(ui->Tvwmain, &QTreeWidget::itemDoubleClicked, this, &form1::Tvwmain_DblClick);
    ui->Tvwmain->installEventFilter(this);
    ui->Tvwmain->viewport()->installEventFilter(this);

    connect(ui->mnewcata, &QAction::triggered, this, &form1::mnewcata_Click);
    connect(ui->mnewcataroot, &QAction::triggered, this, &form1::mnewcata_Click);
    connect(ui->mmodcata, &QAction::triggered, this, &form1::mmodcata_Click);
    connect(ui->mdelfun, &QAction::triggered, this, &form1::mdelfun_Click);
    connect(ui->mdelcata, &QAction::triggered, this, &form1::mdelcata_Click);
    connect(ui->mdelallfunroot, &QAction::triggered, this, &form1::mdelallfunroot_Click);
}

void form1::mnewcata_Click()
{
    Frmaddcata dialog(store_, *messages_, tree_, *ui->Text4, this);
    dialog.exec();
}

void form1::mmodcata_Click()
{
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node)
        return;
    Frmaddcata dialog(store_, *messages_, tree_, *ui->Text4, this);
    std::optional<QSqlRecord> row;
    if (!messages_->run([&] { row = Catalogs::read(store_, node->text(0)); }))
        return;
    // A catalog another program removed is not offered for adding in its place.
    if (!row) {
        messages_->box(Messages::Label64, MsgStyle::Information);
        return;
    }
    dialog.setModify(*row);
    dialog.exec();
}

void form1::mdelfun_Click()
{
    QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node || tree_.hasChildren(node) || messages_->box(Messages::Label51, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    const QString caption = node->text(0);
    if (!messages_->run([&] { Deletions::deleteItem(store_, caption); }))
        return;
    clearFormulaView();
    tree_.remove(node);
    tree_.unselect();
    results_->removeResultsOf(caption);
}

void form1::mdelcata_Click()
{
    QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node)
        return;
    if (tree_.hasChildren(node)) {
        messages_->box(Messages::Label53, MsgStyle::Information);
        return;
    }
    if (messages_->box(Messages::Label51, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    const QString caption = node->text(0);
    if (!messages_->run([&] { Deletions::deleteItem(store_, caption); }))
        return;
    tree_.remove(node);
    tree_.unselect();
    ui->Text4->clear();
    variables_->clear();
}

void form1::mdelallfunroot_Click()
{
    if (messages_->box(Messages::Label54, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    if (!messages_->run([&] { Deletions::deleteAll(store_); }))
        return;
    tree_.reset(messages_->text(Messages::Label24));
}
