#include "editor/frmaddnewfun.h"

#include "calc/resultlist.h"
#include "editor/expressioncheck.h"
#include "editor/loadvariabletable.h"
#include "editor/storedformula.h"
#include "mainwindow/celltips.h"
#include "mainwindow/dialogframe.h"
#include "mainwindow/focusmarker.h"
#include "mainwindow/form1.h"
#include "mainwindow/statustext.h"
#include "mainwindow/userdialogs.h"
#include "variables/frmaddpara.h"
#include "variables/frmmodpara.h"
#include "variables/listrow.h"
#include "variables/variables.h"

#include <QMouseEvent>

namespace {

constexpr int DefaultPrecisionIndex = 2; // "3"

} // namespace

Frmaddnewfun::Frmaddnewfun(form1& main, const QString& contextKey)
    : QDialog(&main, DialogFrame)
    , main_(main)
    , contextKey_(contextKey)
{
    ui.setupUi(this);
    setFixedSize(size());
    // However it closes, it is gone afterwards: the next opening starts afresh.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    connect(ui.Command1, &QPushButton::clicked, this, &Frmaddnewfun::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui.Command3, &QPushButton::clicked, this, &Frmaddnewfun::Command3_Click);
    connect(ui.Command4, &QPushButton::clicked, this, &Frmaddnewfun::Command4_Click);
    connect(ui.Command5, &QPushButton::clicked, this, &Frmaddnewfun::Command5_Click);
    connect(ui.Text4, &QLineEdit::textChanged, this, &Frmaddnewfun::updateExpressionCheck);
    for (QTreeWidget* list : {ui.ListView1, ui.ListView2}) {
        list->viewport()->installEventFilter(this);
        CellTips::install(*list);
    }
    markFocus(*this);
    // The list menus belong to the main window and outlive this editor; their state too.
    Ui::form1& menus = main.controls();
    connect(menus.Rmodpara, &QAction::triggered, this, &Frmaddnewfun::Rmodpara_Click);
    connect(menus.Rdelpara, &QAction::triggered, this, &Frmaddnewfun::Rdelpara_Click);
    connect(menus.Raddvar, &QAction::triggered, this, &Frmaddnewfun::CopyVariableToParameters);
}

bool Frmaddnewfun::Form_Load()
{
    Ui::form1& labels = main_.controls();
    for (QTreeWidget* list : {ui.ListView1, ui.ListView2})
        setListColumns(*list, {{labels.Label5, 5}, {labels.Label6, 3}, {labels.Label7, 3}, {labels.Label13, 5},
                               {labels.Label21, 5}});
    for (int places = Formulas::MinPrecision; places <= Formulas::MaxPrecision; ++places)
        ui.Combo1->addItem(QString::number(places));
    ui.Combo1->setCurrentIndex(DefaultPrecisionIndex);

    const bool modifying = labels.Text2->text() == labels.Label22->text();
    std::optional<Formula> formula;
    std::optional<QStringList> tables;
    const bool loaded = main_.runCommand([&] {
        Store& store = main_.store();
        if (!modifying) {
            const bool root = contextKey_.compare(ItemName::RootKey, Qt::CaseInsensitive) == 0;
            tables = Variables::visibleTables(store, root ? QString() : contextKey_);
        } else if ((formula = Formulas::read(store, contextKey_))) {
            tables = Variables::visibleTables(store, Formulas::catalogOf(store, contextKey_));
            // A formula whose catalog is gone still sees the global variables.
            if (!tables)
                tables = Variables::visibleTables(store, QString());
        }
        for (const QString& table : tables.value_or(QStringList()))
            LoadVariableTable(*ui.ListView2, store, table);
    });
    if (!loaded)
        return false;
    if (!tables) {
        main_.message(modifying ? labels.Label65 : labels.Label64, MsgStyle::Information);
        return false;
    }
    if (modifying) {
        ui.Text1->setText(formula->name);
        ui.Text2->setText(formula->function);
        ui.Text3->setText(formula->unit);
        ui.Text4->setText(formula->expression);
        ui.Text5->setPlainText(formula->description);
        ui.Combo1->setEditText(formula->precision);
        for (const FormulaParameter& parameter : formula->parameters)
            addListRow(*ui.ListView1, parameter.listFields());
        ui.Command5->setEnabled(false);
    }
    updateExpressionCheck();
    return true;
}

bool Frmaddnewfun::eventFilter(QObject* watched, QEvent* event)
{
    QTreeWidget* list = watched == ui.ListView1->viewport() ? ui.ListView1
                      : watched == ui.ListView2->viewport() ? ui.ListView2
                                                            : nullptr;
    if (!list)
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool parameters = list == ui.ListView1;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::RightButton)
            break;
        popUp(parameters ? *main_.controls().Rmenu : *main_.controls().Rmenuaddvar, *list, mouse->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton)
            parameters ? ListView1_Click() : ListView2_Click();
        break;
    case QEvent::MouseButtonDblClick:
        if (parameters && mouse->button() == Qt::LeftButton)
            ListView1_DblClick();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void Frmaddnewfun::popUp(QMenu& menu, QTreeWidget& list, const QPoint& position)
{
    // The menu's commands act on the row the user pointed at.
    if (QTreeWidgetItem* pointed = list.itemAt(position))
        list.setCurrentItem(pointed);
    menu.popup(list.viewport()->mapToGlobal(position));
}

void Frmaddnewfun::Command1_Click()
{
    if (save(windowTitle() == main_.controls().Label23->text()))
        accept();
}

void Frmaddnewfun::Command5_Click()
{
    if (!save(true))
        return;
    // The next formula goes into the same catalog, with the same accuracy and variables.
    for (QLineEdit* box : {ui.Text1, ui.Text2, ui.Text3, ui.Text4})
        box->clear();
    ui.Text5->clear();
    ui.ListView1->clear();
    updateExpressionCheck();
}

void Frmaddnewfun::Command3_Click()
{
    Frmaddpara dialog(main_, *ui.ListView1, this);
    dialog.exec();
    updateExpressionCheck();
}

void Frmaddnewfun::Command4_Click()
{
    if (ui.ListView2->topLevelItemCount() > 0)
        CopyVariableToParameters();
}

void Frmaddnewfun::CopyVariableToParameters()
{
    const QTreeWidgetItem* variable = selectedListRow(*ui.ListView2);
    if (!variable)
        return;
    for (int i = 0; i < ui.ListView1->topLevelItemCount(); ++i) {
        if (ui.ListView1->topLevelItem(i)->text(0) == variable->text(0))
            return;
    }
    addListRow(*ui.ListView1, listRowFields(*variable));
    updateExpressionCheck();
}

void Frmaddnewfun::ListView1_Click()
{
    const bool selected = selectedListRow(*ui.ListView1) != nullptr;
    main_.controls().Rmodpara->setEnabled(selected);
    main_.controls().Rdelpara->setEnabled(selected);
}

void Frmaddnewfun::ListView1_DblClick()
{
    if (selectedListRow(*ui.ListView1))
        Rmodpara_Click();
}

void Frmaddnewfun::ListView2_Click()
{
    main_.controls().Raddvar->setEnabled(selectedListRow(*ui.ListView2) != nullptr);
}

void Frmaddnewfun::Rmodpara_Click()
{
    QTreeWidgetItem* row = selectedListRow(*ui.ListView1);
    if (!row)
        return;
    Frmmodpara dialog(main_, *row, this);
    dialog.exec();
    updateExpressionCheck();
}

void Frmaddnewfun::Rdelpara_Click()
{
    QTreeWidgetItem* row = selectedListRow(*ui.ListView1);
    if (!row || main_.message(main_.controls().Label51, MsgStyle::YesNoQuestion, this) != MsgAnswer::Yes)
        return;
    delete row;
    updateExpressionCheck();
}

Formula Frmaddnewfun::typedFormula() const
{
    Formula formula{ui.Text1->text(), ui.Text2->text(), ui.Text3->text(), ui.Text4->text(),
                    ui.Text5->toPlainText(), ui.Combo1->currentText(), {}};
    for (int i = 0; i < ui.ListView1->topLevelItemCount(); ++i)
        formula.parameters.append(FormulaParameter::fromListFields(listRowFields(*ui.ListView1->topLevelItem(i))));
    return formula;
}

bool Frmaddnewfun::save(bool adding)
{
    const Formula formula = typedFormula();
    if (const QLabel* refusal = messageOf(Formulas::checkFields(formula))) {
        main_.message(refusal, MsgStyle::Information, this);
        return false;
    }
    return adding ? addFormula(formula) : modifyFormula(formula);
}

bool Frmaddnewfun::addFormula(const Formula& formula)
{
    FormulaTree& tree = main_.tree();
    QTreeWidgetItem* context = tree.find(contextKey_);
    const QString parent = tree.isRoot(context) ? QString() : contextKey_;
    Store& store = main_.store();
    Formulas::Problem problem = Formulas::Problem::None;
    if (!main_.runChecked([&] { return messageOf(problem = Formulas::checkAdd(store, formula.name, parent)); },
                          [&] { Formulas::add(store, formula, parent); }, this)) {
        if (problem == Formulas::Problem::TableNameInUse)
            emit main_.noticed(StatusText::tableNameTaken(store, formula.name));
        return false;
    }
    tree.add(contextKey_, formula.name, ImageList::Formula);
    if (context)
        context->setExpanded(true);
    return true;
}

bool Frmaddnewfun::modifyFormula(const Formula& formula)
{
    Store& store = main_.store();
    if (!main_.runChecked([&] { return messageOf(Formulas::checkModify(store, contextKey_, formula.name)); },
                          [&] { Formulas::modify(store, contextKey_, formula); }, this))
        return false;
    // The node's key follows its caption, as the tree finds nodes by caption.
    if (QTreeWidgetItem* node = main_.tree().find(contextKey_); node && formula.name != contextKey_)
        main_.tree().rename(node, formula.name);
    emit formulaModified();
    return true;
}

const QLabel* Frmaddnewfun::messageOf(Formulas::Problem problem) const
{
    const Ui::form1& labels = main_.controls();
    switch (problem) {
    case Formulas::Problem::BlankInName: return labels.Label59;
    case Formulas::Problem::EmptyName: return labels.Label42;
    case Formulas::Problem::EmptyFunction: return labels.Label43;
    case Formulas::Problem::EmptyUnit: return labels.Label44;
    case Formulas::Problem::EmptyExpression: return labels.Label45;
    case Formulas::Problem::NoParameters: return labels.Label46;
    case Formulas::Problem::BadPrecision: return labels.Label66;
    case Formulas::Problem::DefaultNotANumber: return labels.Label67;
    case Formulas::Problem::UnusableSymbol: return labels.Label68;
    case Formulas::Problem::NameInUse: return labels.Label41;
    case Formulas::Problem::TableNameInUse: return labels.Label60;
    case Formulas::Problem::ReservedName: return labels.Label62;
    case Formulas::Problem::UnstorableName: return labels.Label63;
    case Formulas::Problem::Missing: return labels.Label64;
    case Formulas::Problem::None: break;
    }
    return nullptr;
}

void Frmaddnewfun::updateExpressionCheck()
{
    QStringList variableSymbols;
    for (int i = 0; i < ui.ListView2->topLevelItemCount(); ++i)
        variableSymbols << ui.ListView2->topLevelItem(i)->text(0);
    ui.ExpressionCheck->setText(expressionProblem(engine_, ui.Text4->text(), typedFormula().parameters, variableSymbols));
}
