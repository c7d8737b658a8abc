#include "mainwindow/frmaddcata.h"

#include "mainwindow/catalogs.h"
#include "mainwindow/dialogframe.h"
#include "mainwindow/form1.h"
#include "mainwindow/statustext.h"
#include "mainwindow/userdialogs.h"

#include <QTreeWidget>

namespace {

const QLabel* messageOf(Ui::form1& labels, Catalogs::Problem problem)
{
    switch (problem) {
    case Catalogs::Problem::SpecialCharacter: return labels.Label58;
    case Catalogs::Problem::DescriptionTooLong: return labels.Label61;
    case Catalogs::Problem::EmptyName: return labels.Label40;
    case Catalogs::Problem::FirstCharacterDigit: return labels.Label39;
    case Catalogs::Problem::NameInUse: return labels.Label38;
    case Catalogs::Problem::TableNameInUse: return labels.Label60;
    case Catalogs::Problem::ReservedName: return labels.Label62;
    case Catalogs::Problem::UnstorableName: return labels.Label63;
    case Catalogs::Problem::Missing: return labels.Label64;
    case Catalogs::Problem::None: break;
    }
    return nullptr;
}

} // namespace

Frmaddcata::Frmaddcata(form1& main)
    : QDialog(&main, DialogFrame)
    , main_(main)
{
    ui.setupUi(this);
    setFixedSize(size());
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(ui.Command1, &QPushButton::clicked, this, &Frmaddcata::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void Frmaddcata::setModify(const QString& caption, const QString& description)
{
    ui.Text1->setText(caption);
    ui.Text2->setPlainText(description);
    setWindowTitle(main_.controls().Label28->text());
}

void Frmaddcata::Command1_Click()
{
    const QString name = ui.Text1->text();
    const QString description = ui.Text2->toPlainText();
    Ui::form1& labels = main_.controls();
    if (const QLabel* refusal = messageOf(labels, Catalogs::checkInput(name, description))) {
        main_.message(refusal, MsgStyle::Information);
        return;
    }
    const bool adding = windowTitle() == labels.Label20->text();
    if (adding ? addCatalog(name, description) : modifyCatalog(name, description)) {
        labels.Text4->setPlainText(name + QLatin1Char('\n') + description);
        accept();
    }
}

bool Frmaddcata::addCatalog(const QString& name, const QString& description)
{
    FormulaTree& tree = main_.tree();
    QTreeWidgetItem* selected = main_.controls().Tvwmain->currentItem();
    if (!selected)
        selected = tree.root();
    const QString parent = tree.isRoot(selected) ? QString() : FormulaTree::key(selected);
    Store& store = main_.store();
    if (!storeChecked(name, [&] { return Catalogs::checkAdd(store, name); }, [&] { Catalogs::add(store, name, parent, description); }))
        return false;
    tree.add(FormulaTree::key(selected), name, ImageList::Folder);
    selected->setExpanded(true);
    return true;
}

bool Frmaddcata::modifyCatalog(const QString& name, const QString& description)
{
    QTreeWidgetItem* selected = main_.controls().Tvwmain->currentItem();
    if (!selected)
        return false;
    const QString oldName = FormulaTree::key(selected);
    Store& store = main_.store();
    if (!storeChecked(name, [&] { return Catalogs::checkRename(store, oldName, name); },
                      [&] { Catalogs::modify(store, oldName, name, description); }))
        return false;
    if (name != oldName)
        main_.tree().rename(selected, name);
    return true;
}

bool Frmaddcata::storeChecked(const QString& name, const std::function<Catalogs::Problem()>& check,
                              const std::function<void()>& write)
{
    Catalogs::Problem problem = Catalogs::Problem::None;
    if (main_.runChecked([&] { return messageOf(main_.controls(), problem = check()); }, write))
        return true;
    // The message says only that a table has the name; the status line says whose it is.
    if (problem == Catalogs::Problem::TableNameInUse)
        emit main_.noticed(StatusText::tableNameTaken(main_.store(), name));
    return false;
}
