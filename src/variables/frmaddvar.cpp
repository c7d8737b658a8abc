#include "variables/frmaddvar.h"

#include "layout/dialogframe.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "store/storedvalue.h"
#include "store/textrules.h"
#include "ui_frmaddvar.h"
#include "variables/listrow.h"

#include <QTreeWidget>

namespace {

std::optional<Messages::Label> messageOf(Variables::Problem problem)
{
    switch (problem) {
    case Variables::Problem::EmptySymbol: return Messages::Label35;
    case Variables::Problem::UnusableSymbol: return Messages::Label68;
    case Variables::Problem::EmptyName: return Messages::Label36;
    case Variables::Problem::EmptyValue: return Messages::Label37;
    case Variables::Problem::NotNumeral: return Messages::Label33;
    case Variables::Problem::NotANumber: return Messages::Label67;
    case Variables::Problem::SymbolDefined: return Messages::Label34;
    case Variables::Problem::SymbolListed: return Messages::Label29;
    case Variables::Problem::Missing: return Messages::Label64;
    case Variables::Problem::CatalogMissing: return Messages::Label74;
    case Variables::Problem::Changed: return Messages::Label73;
    case Variables::Problem::UnprintableName: return Messages::Label75;
    case Variables::Problem::NameTooLong: return Messages::Label77;
    case Variables::Problem::DescriptionTooLong: return Messages::Label79;
    case Variables::Problem::None: break;
    }
    return std::nullopt;
}

} // namespace

Frmaddvar::Frmaddvar(Store& store, Messages& messages, QTreeWidget& list, std::optional<QString> level, QWidget* parent)
    : QDialog(parent, DialogFrame)
    , ui(std::make_unique<Ui::Frmaddvar>())
    , store_(store)
    , messages_(messages)
    , list_(list)
    , level_(std::move(level))
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowTitle(messages.text(Messages::Label26));
    connect(ui->Command1, &QPushButton::clicked, this, &Frmaddvar::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->Command3, &QPushButton::clicked, this, &Frmaddvar::Command3_Click);
}

Frmaddvar::~Frmaddvar() = default;

void Frmaddvar::setModify(QTreeWidgetItem* entry)
{
    entry_ = entry;
    const NamedValue variable = listRow(*entry);
    ui->Text1->setText(variable.symbol);
    ui->Text2->setText(variable.name);
    ui->Text4->setText(variable.value);
    ui->Text3->setText(variable.unit);
    ui->Text5->setPlainText(TextRules::shown(variable.description));
    setWindowTitle(messages_.text(Messages::Label27));
    ui->Command3->setEnabled(false);
}

void Frmaddvar::Command1_Click()
{
    if (saveVariable())
        accept();
}

void Frmaddvar::Command3_Click()
{
    if (!saveVariable())
        return;
    for (QLineEdit* field : {ui->Text1, ui->Text2, ui->Text4, ui->Text3})
        field->clear();
    ui->Text5->clear();
    ui->Text1->setFocus();
}

bool Frmaddvar::saveVariable()
{
    const NamedValue variable{ui->Text2->text(), ui->Text1->text(), ui->Text3->text(), ui->Text4->text(), ui->Text5->toPlainText()};
    if (refuse(Variables::checkFields(variable)))
        return false;
    if (!level_) {
        refuse(Variables::Problem::Missing);
        return false;
    }
    const bool adding = windowTitle() == messages_.text(Messages::Label26);
    return adding ? addVariable(variable, *level_) : modifyVariable(variable, *level_);
}

bool Frmaddvar::addVariable(const NamedValue& variable, const QString& level)
{
    auto problem = Variables::Problem::None;
    if (!messages_.run([&] { problem = Variables::define(store_, level, variable); }) || refuse(problem, level))
        return false;
    // The entry shows the texts as typed, the value too.
    addListRow(list_, variable);
    tellRounding(variable.value);
    return true;
}

bool Frmaddvar::modifyVariable(const NamedValue& variable, const QString& level)
{
    const QTreeWidget& list = list_;
    QStringList listed;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        listed << list.topLevelItem(i)->text(0);
    const NamedValue old = listRow(*entry_);
    if (refuse(Variables::checkNewSymbol(old.symbol, variable.symbol, listed)))
        return false;
    auto problem = Variables::Problem::None;
    if (!messages_.run([&] { problem = Variables::change(store_, level, old, variable); }))
        return false;
    // Another program deleted the variable: its entry goes too, and there is nothing to change.
    if (problem == Variables::Problem::Missing) {
        refuse(problem);
        delete entry_;
        entry_ = nullptr;
        return true;
    }
    if (refuse(problem, problem == Variables::Problem::Changed ? old.symbol : level))
        return false;
    setListRow(*entry_, variable);
    tellRounding(variable.value);
    return true;
}

void Frmaddvar::tellRounding(const QString& value)
{
    if (const std::optional<QString> kept = StoredValue::rounded(value))
        messages_.box(messages_.text(Messages::Label80).arg(value, *kept), MsgStyle::Information);
}

bool Frmaddvar::refuse(Variables::Problem problem, const QString& item)
{
    const auto message = messageOf(problem);
    if (message)
        messages_.box(*message, item, MsgStyle::Information);
    return message.has_value();
}
