#include "editor/frmaddnewfun.h"

#include "calc/unitcheck.h"
#include "calc/unitconversion.h"
#include "editor/expressioncheck.h"
#include "layout/celltips.h"
#include "layout/contextmenu.h"
#include "layout/dialogframe.h"
#include "layout/focusmarker.h"
#include "layout/lists.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "store/formula.h"
#include "store/itemname.h"
#include "store/storedvalue.h"
#include "store/textrules.h"
#include "ui_frmaddnewfun.h"
#include "variables/frmaddpara.h"
#include "variables/frmmodpara.h"
#include "variables/listrow.h"
#include "variables/variables.h"

#include <QMenu>
#include <QMouseEvent>

namespace {

constexpr int DefaultPrecisionIndex = 2; // "3"

} // namespace

Frmaddnewfun::Frmaddnewfun(Store& store, Messages& messages, Units& units, const Menus& menus,
                           const QLineEdit& modeField, const QString& contextKey, QWidget* parent)
    : QDialog(parent, DialogFrame)
    , ui(std::make_unique<Ui::Frmaddnewfun>())
    , store_(store)
    , messages_(messages)
    , units_(units)
    , menus_(menus)
    , modeField_(modeField)
    , contextKey_(contextKey)
{
    ui->setupUi(this);
    setFixedSize(size());
    // However it closes, it is gone afterwards: the next opening starts afresh.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    connect(ui->Command1, &QPushButton::clicked, this, &Frmaddnewfun::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->Command3, &QPushButton::clicked, this, &Frmaddnewfun::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Frmaddnewfun::Command4_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &Frmaddnewfun::Command5_Click);
    for (QLineEdit* box : {ui->Text3, ui->Text4})
        connect(box, &QLineEdit::textChanged, this, &Frmaddnewfun::updateExpressionCheck);
    for (QTreeWidget* list : {ui->ListView1, ui->ListView2}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        CellTips::install(*list);
        cutLongCells(*list);
    }
    markFocus(*this);
    // The list menus belong to the main window and outlive this editor; their state too.
    connect(&menus_.Rmodpara, &QAction::triggered, this, &Frmaddnewfun::Rmodpara_Click);
    connect(&menus_.Rdelpara, &QAction::triggered, this, &Frmaddnewfun::Rdelpara_Click);
    connect(&menus_.Raddvar, &QAction::triggered, this, &Frmaddnewfun::CopyVariableToParameters);
}

Frmaddnewfun::~Frmaddnewfun() = default;

bool Frmaddnewfun::Form_Load()
{
    const Messages& texts = messages_;
    for (QTreeWidget* list : {ui->ListView1, ui->ListView2})
        setListColumns(*list, {{texts.text(Messages::Label5), 5}, {texts.text(Messages::Label6), 3},
                               {texts.text(Messages::Label7), 3}, {texts.text(Messages::Label13), 5},
                               {texts.text(Messages::Label21), 5}});
    for (int places = Formulas::MinPrecision; places <= Formulas::MaxPrecision; ++places)
        ui->Combo1->addItem(QString::number(places));
    ui->Combo1->setCurrentIndex(DefaultPrecisionIndex);

    const bool modifying = modeField_.text() == messages_.text(Messages::Label22);
    std::optional<QStringList> tables;
    const bool loaded = messages_.run([&] {
        if (!modifying) {
            tables = Variables::visibleTables(store_, catalogAddedInto());
        } else if ((read_ = Formula::read(store_, contextKey_))) {
            tables = Variables::visibleTables(store_, Formulas::catalogOf(store_, contextKey_));
            // A formula whose catalog is gone still sees the global variables.
            if (!tables)
                tables = Variables::visibleTables(store_, QString());
        }
        for (const QString& table : tables.value_or(QStringList()))
            LoadVariableTable(*ui->ListView2, store_, table);
    });
    if (!loaded)
        return false;
    if (!tables) {
        messages_.box(modifying ? Messages::Label65 : Messages::Label64, MsgStyle::Information);
        return false;
    }
    if (modifying) {
        ui->Text1->setText(read_->name);
        ui->Text2->setText(read_->function);
        ui->Text3->setText(read_->unit);
        ui->Text4->setText(read_->expression);
        ui->Text5->setPlainText(TextRules::shown(read_->description));
        ui->Combo1->setEditText(read_->precision);
        for (const NamedValue& parameter : read_->parameters)
            addListRow(*ui->ListView1, parameter);
        ui->Command5->setEnabled(false);
    }
    updateExpressionCheck();
    return true;
}

bool Frmaddnewfun::eventFilter(QObject* watched, QEvent* event)
{
    for (QTreeWidget* list : {ui->ListView1, ui->ListView2}) {
        if (const auto at = contextMenuAt(*list, watched, event)) {
            QMenu& menu = list == ui->ListView1 ? menus_.Rmenu : menus_.Rmenuaddvar;
            menu.popup(list->viewport()->mapToGlobal(*at));
            return true;
        }
    }
    QTreeWidget* list = watched == ui->ListView1->viewport() ? ui->ListView1
                      : watched == ui->ListView2->viewport() ? ui->ListView2
                                                            : nullptr;
    if (!list)
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool parameters = list == ui->ListView1;
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
    if (save(windowTitle() == messages_.text(Messages::Label23)))
        accept();
}

void Frmaddnewfun::Command5_Click()
{
    if (!save(true))
        return;
    // The next formula goes into the same catalog, with the same accuracy and variables.
    for (QLineEdit* box : {ui->Text1, ui->Text2, ui->Text3, ui->Text4})
        box->clear();
    ui->Text5->clear();
    ui->ListView1->clear();
    updateExpressionCheck();
}

void Frmaddnewfun::Command3_Click()
{
    Frmaddpara dialog(messages_, *ui->ListView1, this);
    dialog.exec();
    updateExpressionCheck();
}

void Frmaddnewfun::Command4_Click()
{
    if (ui->ListView2->topLevelItemCount() > 0)
        CopyVariableToParameters();
}

void Frmaddnewfun::CopyVariableToParameters()
{
    const QTreeWidgetItem* variable = selectedListRow(*ui->ListView2);
    if (!variable)
        return;
    const NamedValue copied = listRow(*variable);
    for (int i = 0; i < ui->ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* parameter = ui->ListView1->topLevelItem(i);
        if (parameter->text(0) != copied.symbol)
            continue;
        // The parameter is there already: in a unit of the variable's kind, it takes the
        // variable's value as its default.
        NamedValue listed = listRow(*parameter);
        if (const std::optional<QString> value = UnitConversion::defaultValue(units_, copied.value, copied.unit, listed.unit)) {
            listed.value = *value;
            setListRow(*parameter, listed);
            updateExpressionCheck();
        }
        return;
    }
    addListRow(*ui->ListView1, copied);
    updateExpressionCheck();
}

void Frmaddnewfun::ListView1_Click()
{
    const bool selected = selectedListRow(*ui->ListView1) != nullptr;
    menus_.Rmodpara.setEnabled(selected);
    menus_.Rdelpara.setEnabled(selected);
}

void Frmaddnewfun::ListView1_DblClick()
{
    if (selectedListRow(*ui->ListView1))
        Rmodpara_Click();
}

void Frmaddnewfun::ListView2_Click()
{
    menus_.Raddvar.setEnabled(selectedListRow(*ui->ListView2) != nullptr);
}

void Frmaddnewfun::Rmodpara_Click()
{
    QTreeWidgetItem* row = selectedListRow(*ui->ListView1);
    if (!row)
        return;
    Frmmodpara dialog(messages_, *row, this);
    dialog.exec();
    updateExpressionCheck();
}

void Frmaddnewfun::Rdelpara_Click()
{
    QTreeWidgetItem* row = selectedListRow(*ui->ListView1);
    if (!row || messages_.box(Messages::Label51, MsgStyle::YesNoQuestion, this) != MsgAnswer::Yes)
        return;
    delete row;
    updateExpressionCheck();
}

Formula Frmaddnewfun::typedFormula() const
{
    Formula formula{ui->Text1->text(), ui->Text2->text(), ui->Text3->text(), ui->Text4->text(),
                    ui->Text5->toPlainText(), ui->Combo1->currentText(), {}};
    for (int i = 0; i < ui->ListView1->topLevelItemCount(); ++i)
        formula.parameters.append(listRow(*ui->ListView1->topLevelItem(i)));
    return formula;
}

bool Frmaddnewfun::save(bool adding)
{
    const Formula formula = typedFormula();
    if (const auto refusal = messageOf(Formulas::checkFields(formula))) {
        messages_.box(*refusal, MsgStyle::Information, this);
        return false;
    }
    if (!(adding ? addFormula(formula) : modifyFormula(formula)))
        return false;
    tellRoundedDefaults(formula.parameters);
    return true;
}

void Frmaddnewfun::tellRoundedDefaults(const QList<NamedValue>& parameters)
{
    QStringList notices;
    for (const NamedValue& parameter : parameters) {
        if (const std::optional<QString> kept = StoredValue::rounded(parameter.value))
            notices << messages_.text(Messages::Label81).arg(parameter.value, parameter.symbol, *kept);
    }
    if (!notices.isEmpty())
        messages_.box(notices.join(QLatin1Char('\n')), MsgStyle::Information, this);
}

bool Frmaddnewfun::addFormula(const Formula& formula)
{
    const QString parent = catalogAddedInto();
    auto checked = Formulas::Problem::None;
    auto written = Formulas::Problem::None;
    if (!messages_.runChecked([&] { return messageOf(checked = Formulas::checkAdd(store_, formula.name)); },
                              [&] { written = Formulas::add(store_, formula, parent); }, this)) {
        if (checked == Formulas::Problem::TableNameInUse)
            messages_.notice(ItemName::whoseTable(store_, formula.name));
        return false;
    }
    if (refuse(written, parent))
        return false;
    emit formulaAdded(contextKey_, formula.name);
    return true;
}

QString Frmaddnewfun::catalogAddedInto() const
{
    return contextKey_.compare(ItemName::RootKey, Qt::CaseInsensitive) == 0 ? QString() : contextKey_;
}

bool Frmaddnewfun::modifyFormula(const Formula& formula)
{
    auto problem = Formulas::Problem::None;
    if (!messages_.runChecked([&] { return messageOf(Formulas::checkModify(store_, contextKey_, formula.name)); },
                              [&] { problem = Formulas::modify(store_, contextKey_, formula, *read_); }, this)
        || refuse(problem, QString()))
        return false;
    emit formulaModified(contextKey_, formula.name);
    return true;
}

std::optional<Messages::Label> Frmaddnewfun::messageOf(Formulas::Problem problem)
{
    switch (problem) {
    case Formulas::Problem::BlankInName: return Messages::Label59;
    case Formulas::Problem::EmptyName: return Messages::Label42;
    case Formulas::Problem::EmptyFunction: return Messages::Label43;
    case Formulas::Problem::EmptyUnit: return Messages::Label44;
    case Formulas::Problem::EmptyExpression: return Messages::Label45;
    case Formulas::Problem::NoParameters: return Messages::Label46;
    case Formulas::Problem::BadPrecision: return Messages::Label66;
    case Formulas::Problem::DefaultNotANumber: return Messages::Label67;
    case Formulas::Problem::UnusableSymbol: return Messages::Label68;
    case Formulas::Problem::UnprintableFunction: return Messages::Label76;
    case Formulas::Problem::FunctionTooLong: return Messages::Label78;
    case Formulas::Problem::DescriptionTooLong: return Messages::Label79;
    case Formulas::Problem::NameInUse: return Messages::Label41;
    case Formulas::Problem::TableNameInUse: return Messages::Label60;
    case Formulas::Problem::ReservedName: return Messages::Label62;
    case Formulas::Problem::UnstorableName: return Messages::Label63;
    case Formulas::Problem::UnprintableName: return Messages::Label75;
    case Formulas::Problem::NameTooLong: return Messages::Label77;
    case Formulas::Problem::Missing: return Messages::Label64;
    case Formulas::Problem::CatalogMissing: return Messages::Label74;
    case Formulas::Problem::Changed: return Messages::Label71;
    case Formulas::Problem::None: break;
    }
    return std::nullopt;
}

bool Frmaddnewfun::refuse(Formulas::Problem problem, const QString& catalog)
{
    const auto label = messageOf(problem);
    if (label)
        messages_.box(*label, problem == Formulas::Problem::Changed ? contextKey_ : catalog, MsgStyle::Information,
                             this);
    return label.has_value();
}

void Frmaddnewfun::updateExpressionCheck()
{
    QStringList variableSymbols;
    for (int i = 0; i < ui->ListView2->topLevelItemCount(); ++i)
        variableSymbols << ui->ListView2->topLevelItem(i)->text(0);
    const Formula typed = typedFormula();
    const QString problem = expressionProblem(engine_, typed.expression, typed.parameters, variableSymbols);
    ui->ExpressionCheck->setText(problem);
    // Until the result has a unit there is nothing to check against.
    const UnitCheck::Outcome units = problem.isEmpty() && !typed.unit.trimmed().isEmpty()
                                         ? UnitCheck::check(units_, engine_, typed.expression, typed.unit, typed.parameters)
                                         : UnitCheck::Outcome{};
    ui->UnitsCheck->setText(units.text);
    ui->UnitsCheck->setToolTip(units.text); // for a line longer than the label
    ui->UnitsCheck->setStyleSheet(units.verdict == UnitCheck::Verdict::Agree ? QStringLiteral("color: #2e6b30;")
                                                                               : QStringLiteral("color: #8a5a00;"));
}
