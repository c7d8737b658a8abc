#include "mainwindow/frmaddcata.h"

#include "mainwindow/catalogs.h"
#include "mainwindow/dialogframe.h"
#include "mainwindow/form1.h"
#include "mainwindow/statustext.h"
#include "mainwindow/userdialogs.h"
#include "store/textrules.h"

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
    case Catalogs::Problem::UnprintableName: return labels.Label75;
    case Catalogs::Problem::NameTooLong: return labels.Label77;
    case Catalogs::Problem::Missing: return labels.Label64;
    case Catalogs::Problem::ParentMissing: return labels.Label74;
    case Catalogs::Problem::Changed: return labels.Label72;
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

void Frmaddcata::setModify(const QSqlRecord& row)
{
    read_ = row;
    ui.Text1->setText(row.value(QStringLiteral("caption")).toString());
    ui.Text2->setPlainText(TextRules::shown(row.value(QStringLiteral("descr")).toString()));
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
    if (!storeChecked(name, parent, [&] { return Catalogs::checkAdd(store, name); },
                      [&] { return Catalogs::add(store, name, parent, description); }))
        return false;
    tree.add(FormulaTree::key(selected), name, ImageList::Folder);
    selected->setExpanded(true);
    return true;
}

bool Frmaddcata::modifyCatalog(const QString& name, const QString& description)
{
    QTreeWidgetItem* selected = main_.controls().Tvwmain->currentItem();
    if (!selected || !read_)
        return false;
    const QString oldName = FormulaTree::key(selected);
    Store& store = main_.store();
    if (!storeChecked(name, oldName, [&] { return Catalogs::checkRename(store, oldName, name); },
                      [&] { return Catalogs::modify(store, oldName, name, description, *read_); }))
        return false;
    if (name != oldName)
        main_.tree().rename(selected, name);
    return true;
}

bool Frmaddcata::storeChecked(const QString& name, const QString& item, const std::function<Catalogs::Problem()>& check,
                              const std::function<Catalogs::Problem()>& write)
{
    Catalogs::Problem checked = Catalogs::Problem::None;
    Catalogs::Problem written = Catalogs::Problem::None;
    if (!main_.runChecked([&] { return messageOf(main_.controls(), checked = check()); }, [&] { written = write(); })) {
        // The message says only that a table has the name; the status line says whose it is.
        if (checked == Catalogs::Problem::TableNameInUse)
            emit main_.noticed(StatusText::tableNameTaken(main_.store(), name));
        return false;
    }
    return !refuse(written, item);
}

bool Frmaddcata::refuse(Catalogs::Problem problem, const QString& catalog)
{
    const QLabel* label = messageOf(main_.controls(), problem);
    if (label)
        main_.message(label, catalog, MsgStyle::Information);
    return label != nullptr;
}
