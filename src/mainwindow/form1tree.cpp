// The formula tree: what a click shows, the key, mouse and double click on a node, and the
// commands of its menus that add, change and delete catalogs and delete formulas.
#include "calc/chartdrawing.h"
#include "calc/computation.h"
#include "calc/frmsweep.h"
#include "calc/parametergrid.h"
#include "calc/resultlist.h"
#include "calc/unitconversion.h"
#include "editor/editorlauncher.h"
#include "layout/contextmenu.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/deletions.h"
#include "mainwindow/findbox.h"
#include "mainwindow/form1.h"
#include "mainwindow/frmaddcata.h"
#include "mainwindow/imagelist.h"
#include "store/formula.h"
#include "store/itemrow.h"
#include "store/store.h"
#include "store/textrules.h"
#include "ui_form1.h"
#include "variables/variablelist.h"

namespace {
constexpr int DeleteKey = 46;
}

void form1::connectTree()
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
    connect(ui->msweep, &QAction::triggered, this, &form1::msweep_Click);
}

bool form1::eventFilter(QObject* watched, QEvent* event)
{
    if (deleteKeyOn(*ui->Tvwmain, watched, event)) {
        Tvwmain_KeyDown(DeleteKey);
        return true;
    }
    if (const auto at = contextMenuAt(*ui->Tvwmain, watched, event)) {
        Tvwmain_MouseDown(Qt::RightButton, *at);
        return true;
    }
    if (watched == ui->Tvwmain->viewport() && event->type() == QEvent::MouseButtonPress)
        nodeShownByPress_ = false;
    return QWidget::eventFilter(watched, event);
}

void form1::Tvwmain_Click()
{
    grid_->selectionChanged();
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node)
        return;
    const QString caption = node->text(0);
    bool shown = true;
    messages_->run([&] {
        if (!FormulaTree::isFolder(node)) {
            ui->Label2->setText(ui->Text8->text());
            ui->Text3->show();
            ui->Label4->show();
            ui->MSFlexGrid1->show();
            ui->Command1->show();
            ui->ListView2->hide();
            showFormula(caption);
            return;
        }
        if (tree_.isRoot(node))
            showRoot();
        else if (!(shown = showCatalogOf(caption)))
            return;
        ui->ListView2->show();
        ui->Label2->setText(ui->Text7->text());
        ui->Text3->hide();
        ui->Label4->hide();
        ui->MSFlexGrid1->hide();
        ui->Command1->hide();
    });
    if (!shown)
        return;
    variables_->offerChanges();
    grid_->hideChooseButton();
}

bool form1::showCatalogOf(const QString& caption)
{
    variables_->clear();
    const std::optional<QSqlRecord> catalog = ItemRow::find(store_, caption);
    if (!catalog)
        return false;
    variables_->LoadVariableTable(catalog->value(QStringLiteral("indtable")).toString());
    showDescription(caption, catalog->value(QStringLiteral("descr")).toString());
    return true;
}

void form1::showRoot()
{
    ui->Text4->clear();
    variables_->clear();
    variables_->LoadVariableTable(QStringLiteral("GlobalVariant"));
    ui->mnewcataroot->setEnabled(true);
    ui->mnewfunroot->setEnabled(true);
    ui->mdefvarroot->setEnabled(true);
    ui->mdelallfunroot->setEnabled(tree_.hasChildren(tree_.root()));
}

void form1::showFormula(const QString& caption)
{
    const std::optional<QSqlRecord> formula = Computation::formulaRow(store_, caption);
    // Another tool removed the formula's table or row: nothing of it can be computed.
    if (!formula) {
        clearFormulaView();
        messages_->box(Messages::Label65, MsgStyle::Information);
        return;
    }
    ui->Text3->setPlainText(formula->value(QStringLiteral("expression")).toString());
    showDescription(caption, formula->value(QStringLiteral("descr")).toString());
    grid_->FillParameterGrid(caption);
}

void form1::showDescription(const QString& name, const QString& description)
{
    ui->Text4->setPlainText(TextRules::shown(name) + QLatin1Char('\n') + TextRules::shown(description));
}

void form1::Tvwmain_DblClick()
{
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (node && !FormulaTree::isFolder(node) && !tree_.hasChildren(node))
        editor_->mmodfun_Click();
}

void form1::Tvwmain_KeyDown(int keyCode)
{
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (keyCode != DeleteKey || !node)
        return;
    if (tree_.isRoot(node))
        mdelallfunroot_Click();
    else if (FormulaTree::isFolder(node))
        mdelcata_Click();
    else
        mdelfun_Click();
}

void form1::Tvwmain_MouseDown(Qt::MouseButton button, const QPoint& position)
{
    if (button != Qt::RightButton)
        return;
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node)
        return;
    QMenu* menu = tree_.isRoot(node) ? ui->mrootedt : FormulaTree::isFolder(node) ? ui->menuedit : ui->mfunedt;
    menu->popup(ui->Tvwmain->viewport()->mapToGlobal(position));
}

std::optional<QString> form1::variableLevel() const
{
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node || !FormulaTree::isFolder(node))
        return std::nullopt;
    return tree_.isRoot(node) ? QString() : FormulaTree::key(node);
}

std::optional<QString> form1::selectedKey(bool catalogOrRoot) const
{
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    if (!node || FormulaTree::isFolder(node) != catalogOrRoot)
        return std::nullopt;
    return FormulaTree::key(node);
}

void form1::showAddedFormula(const QString& parentKey, const QString& name)
{
    QTreeWidgetItem* parent = tree_.find(parentKey);
    tree_.add(parentKey, name, ImageList::Formula);
    if (parent)
        parent->setExpanded(true);
    find_->formulaAdded(parentKey, name);
}

void form1::showModifiedFormula(const QString& key, const QString& name)
{
    // The node's key follows its caption, as the tree finds nodes by caption.
    if (QTreeWidgetItem* node = tree_.find(key); node && name != key)
        tree_.rename(node, name);
    find_->formulaChanged(key, name);
    // The formula shown is the one rewritten: show it as the library now holds it.
    Tvwmain_Click();
}

void form1::mnewcata_Click()
{
    Frmaddcata dialog(store_, *messages_, tree_, *ui->Text4, this);
    connect(&dialog, &Frmaddcata::catalogAdded, find_.get(), &FindBox::catalogAdded);
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
    connect(&dialog, &Frmaddcata::catalogModified, find_.get(), &FindBox::catalogChanged);
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
    find_->removed(caption);
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
    find_->removed(caption);
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
    find_->libraryChanged();
}

void form1::msweep_Click()
{
    const std::optional<QString> caption = selectedKey(false);
    if (!caption)
        return;
    std::optional<Formula> formula;
    if (!messages_->run([&] { formula = Formula::read(store_, *caption); }))
        return;
    if (!formula) {
        messages_->box(Messages::Label65, MsgStyle::Information);
        return;
    }
    QString problem;
    const ChartDrawing* charts = ChartDrawing::load(problem);
    if (!charts) {
        messages_->box(QStringLiteral("The sweep window can't draw its chart: %1 could not be loaded (%2). Install Calcora "
                                      "again, or sweep with calcora-cli.")
                           .arg(QLatin1String(ChartDrawing::ModuleFile), problem),
                       MsgStyle::Information);
        return;
    }
    // The values the grid holds now, as "Calculate" would take them: in their parameters' units.
    QHash<QString, QString> inputs;
    for (const GridRow& row : UnitConversion::inputs(*units_, grid_->rowsToCompute()).rows) {
        if (!row.symbol.isEmpty())
            inputs.insert(row.symbol, row.input);
    }
    auto* sweep = new Frmsweep(*formula, inputs, messages_->dialogs(), *charts, messages_->text(Messages::Label25), this);
    sweep->setAttribute(Qt::WA_DeleteOnClose);
    sweep->show();
}
