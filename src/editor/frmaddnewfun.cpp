#include "editor/frmaddnewfun.h"

#include "calc/resultlist.h"
#include "editor/expressioncheck.h"
#include "editor/loadvariabletable.h"
#include "editor/storedformula.h"
#include "mainwindow/celltips.h"
#include "mainwindow/contextmenu.h"
#include "mainwindow/dialogframe.h"
#include "mainwindow/focusmarker.h"
#include "mainwindow/form1.h"
#include "mainwindow/longcells.h"
#include "mainwindow/statustext.h"
#include "mainwindow/userdialogs.h"
#include "store/storedvalue.h"
#include "store/textrules.h"
#include "variables/frmaddpara.h"
#include "variables/frmmodpara.h"
#include "variables/listrow.h"
#include "variables/variables.h"

#include <QMenu>
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
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        CellTips::install(*list);
        cutLongCells(*list);
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
    std::optional<QStringList> tables;
    const bool loaded = main_.runCommand([&] {
        Store& store = main_.store();
        if (!modifying) {
            const bool root = contextKey_.compare(ItemName::RootKey, Qt::CaseInsensitive) == 0;
            tables = Variables::visibleTables(store, root ? QString() : contextKey_);
        } else if ((read_ = Formulas::read(store, contextKey_))) {
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
        ui.Text1->setText(read_->name);
        ui.Text2->setText(read_->function);
        ui.Text3->setText(read_->unit);
        ui.Text4->setText(read_->expression);
        ui.Text5->setPlainText(TextRules::shown(read_->description));
        ui.Combo1->setEditText(read_->precision);
        for (const FormulaParameter& parameter : read_->parameters)
            addListRow(*ui.ListView1, parameter.listFields());
        ui.Command5->setEnabled(false);
    }
    updateExpressionCheck();
    return true;
}

bool Frmaddnewfun::eventFilter(QObject* watched, QEvent* event)
{
    for (QTreeWidget* list : {ui.ListView1, ui.ListView2}) {
        if (const auto at = contextMenuAt(*list, watched, event)) {
            QMenu& menu = list == ui.ListView1 ? *main_.controls().Rmenu : *main_.controls().Rmenuaddvar;
            menu.popup(list->viewport()->mapToGlobal(*at));
            return true;
        }
    }
    QTreeWidget* list = watched == ui.ListView1->viewport() ? ui.ListView1
                      : watched == ui.ListView2->viewport() ? ui.ListView2
                                                            : nullptr;
    if (!list)
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool parameters = list == ui.ListView1;
    switch (event->type()) {
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
    if (!(adding ? addFormula(formula) : modifyFormula(formula)))
        return false;
    tellRoundedDefaults(formula.parameters);
    return true;
}

void Frmaddnewfun::tellRoundedDefaults(const QList<FormulaParameter>& parameters)
{
    QStringList notices;
    for (const FormulaParameter& parameter : parameters) {
        if (const std::optional<QString> kept = StoredValue::rounded(parameter.value))
            notices << main_.controls().Label81->text().arg(parameter.value, parameter.symbol, *kept);
    }
    if (!notices.isEmpty())
        main_.message(notices.join(QLatin1Char('\n')), MsgStyle::Information, this);
}

bool Frmaddnewfun::addFormula(const Formula& formula)
{
    FormulaTree& tree = main_.tree();
    QTreeWidgetItem* context = tree.find(contextKey_);
    const QString parent = tree.isRoot(context) ? QString() : contextKey_;
    Store& store = main_.store();
    auto checked = Formulas::Problem::None;
    auto written = Formulas::Problem::None;
    if (!main_.runChecked([&] { return messageOf(checked = Formulas::checkAdd(store, formula.name)); },
                          [&] { written = Formulas::add(store, formula, parent); }, this)) {
        if (checked == Formulas::Problem::TableNameInUse)
            emit main_.noticed(StatusText::tableNameTaken(store, formula.name));
        return false;
    }
    if (refuse(written, parent))
        return false;
    tree.add(contextKey_, formula.name, ImageList::Formula);
    if (context)
        context->setExpanded(true);
    return true;
}

bool Frmaddnewfun::modifyFormula(const Formula& formula)
{
    Store& store = main_.store();
    auto problem = Formulas::Problem::None;
    if (!main_.runChecked([&] { return messageOf(Formulas::checkModify(store, contextKey_, formula.name)); },
                          [&] { problem = Formulas::modify(store, contextKey_, formula, *read_); }, this)
        || refuse(problem, QString()))
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
    case Formulas::Problem::UnprintableFunction: return labels.Label76;
    case Formulas::Problem::FunctionTooLong: return labels.Label78;
    case Formulas::Problem::DescriptionTooLong: return labels.Label79;
    case Formulas::Problem::NameInUse: return labels.Label41;
    case Formulas::Problem::TableNameInUse: return labels.Label60;
    case Formulas::Problem::ReservedName: return labels.Label62;
    case Formulas::Problem::UnstorableName: return labels.Label63;
    case Formulas::Problem::UnprintableName: return labels.Label75;
    case Formulas::Problem::NameTooLong: return labels.Label77;
    case Formulas::Problem::Missing: return labels.Label64;
    case Formulas::Problem::CatalogMissing: return labels.Label74;
    case Formulas::Problem::Changed: return labels.Label71;
    case Formulas::Problem::None: break;
    }
    return nullptr;
}

bool Frmaddnewfun::refuse(Formulas::Problem problem, const QString& catalog)
{
    const QLabel* label = messageOf(problem);
    if (label)
        main_.message(label, problem == Formulas::Problem::Changed ? contextKey_ : catalog, MsgStyle::Information, this);
    return label != nullptr;
}

void Frmaddnewfun::updateExpressionCheck()
{
    QStringList variableSymbols;
    for (int i = 0; i < ui.ListView2->topLevelItemCount(); ++i)
        variableSymbols << ui.ListView2->topLevelItem(i)->text(0);
    ui.ExpressionCheck->setText(expressionProblem(engine_, ui.Text4->text(), typedFormula().parameters, variableSymbols));
}
