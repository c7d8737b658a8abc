#include "variables/frmaddvar.h"

#include "mainwindow/dialogframe.h"
#include "mainwindow/form1.h"
#include "mainwindow/userdialogs.h"
#include "store/storedvalue.h"
#include "store/textrules.h"
#include "variables/listrow.h"

namespace {

const QLabel* messageOf(Ui::form1& labels, Variables::Problem problem)
{
    switch (problem) {
    case Variables::Problem::EmptySymbol: return labels.Label35;
    case Variables::Problem::UnusableSymbol: return labels.Label68;
    case Variables::Problem::EmptyName: return labels.Label36;
    case Variables::Problem::EmptyValue: return labels.Label37;
    case Variables::Problem::NotNumeral: return labels.Label33;
    case Variables::Problem::NotANumber: return labels.Label67;
    case Variables::Problem::SymbolDefined: return labels.Label34;
    case Variables::Problem::SymbolListed: return labels.Label29;
    case Variables::Problem::Missing: return labels.Label64;
    case Variables::Problem::CatalogMissing: return labels.Label74;
    case Variables::Problem::Changed: return labels.Label73;
    case Variables::Problem::UnprintableName: return labels.Label75;
    case Variables::Problem::NameTooLong: return labels.Label77;
    case Variables::Problem::DescriptionTooLong: return labels.Label79;
    case Variables::Problem::None: break;
    }
    return nullptr;
}

} // namespace

Frmaddvar::Frmaddvar(form1& main)
    : QDialog(&main, DialogFrame)
    , main_(main)
{
    ui.setupUi(this);
    setFixedSize(size());
    setWindowTitle(main.controls().Label26->text());
    connect(ui.Command1, &QPushButton::clicked, this, &Frmaddvar::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui.Command3, &QPushButton::clicked, this, &Frmaddvar::Command3_Click);
}

void Frmaddvar::setModify(QTreeWidgetItem* entry)
{
    entry_ = entry;
    const QStringList fields = listRowFields(*entry);
    ui.Text1->setText(fields.at(0));
    ui.Text2->setText(fields.at(1));
    ui.Text4->setText(fields.at(2));
    ui.Text3->setText(fields.at(3));
    ui.Text5->setPlainText(TextRules::shown(fields.at(4)));
    setWindowTitle(main_.controls().Label27->text());
    ui.Command3->setEnabled(false);
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
    for (QLineEdit* field : {ui.Text1, ui.Text2, ui.Text4, ui.Text3})
        field->clear();
    ui.Text5->clear();
    ui.Text1->setFocus();
}

bool Frmaddvar::saveVariable()
{
    const Variable variable{ui.Text2->text(), ui.Text1->text(), ui.Text3->text(), ui.Text4->text(), ui.Text5->toPlainText()};
    if (refuse(Variables::checkFields(variable)))
        return false;
    const std::optional<QString> level = main_.variableLevel();
    if (!level) {
        refuse(Variables::Problem::Missing);
        return false;
    }
    const bool adding = windowTitle() == main_.controls().Label26->text();
    return adding ? addVariable(variable, *level) : modifyVariable(variable, *level);
}

bool Frmaddvar::addVariable(const Variable& variable, const QString& level)
{
    auto problem = Variables::Problem::None;
    if (!main_.runCommand([&] { problem = Variables::define(main_.store(), level, variable); }) || refuse(problem, level))
        return false;
    // The entry shows the texts as typed, the value too.
    addListRow(*main_.controls().ListView2, variable.listFields());
    tellRounding(variable.value);
    return true;
}

bool Frmaddvar::modifyVariable(const Variable& variable, const QString& level)
{
    const QTreeWidget& list = *main_.controls().ListView2;
    QStringList listed;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        listed << list.topLevelItem(i)->text(0);
    const Variable old = Variable::fromListFields(listRowFields(*entry_));
    if (refuse(Variables::checkNewSymbol(old.symbol, variable.symbol, listed)))
        return false;
    auto problem = Variables::Problem::None;
    if (!main_.runCommand([&] { problem = Variables::change(main_.store(), level, old, variable); }))
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
    setListRowFields(*entry_, variable.listFields());
    tellRounding(variable.value);
    return true;
}

void Frmaddvar::tellRounding(const QString& value)
{
    if (const std::optional<QString> kept = StoredValue::rounded(value))
        main_.message(main_.controls().Label80->text().arg(value, *kept), MsgStyle::Information);
}

bool Frmaddvar::refuse(Variables::Problem problem, const QString& item)
{
    const QLabel* message = messageOf(main_.controls(), problem);
    if (message)
        main_.message(message, item, MsgStyle::Information);
    return message != nullptr;
}
