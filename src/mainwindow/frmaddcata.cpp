#include "mainwindow/frmaddcata.h"

#include "layout/dialogframe.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/formulatree.h"
#include "mainwindow/imagelist.h"
#include "store/itemname.h"
#include "store/textrules.h"
#include "ui_frmaddcata.h"

#include <QTreeWidget>

namespace {

std::optional<Messages::Label> messageOf(Catalogs::Problem problem)
{
    switch (problem) {
    case Catalogs::Problem::SpecialCharacter: return Messages::Label58;
    case Catalogs::Problem::DescriptionTooLong: return Messages::Label61;
    case Catalogs::Problem::EmptyName: return Messages::Label40;
    case Catalogs::Problem::FirstCharacterDigit: return Messages::Label39;
    case Catalogs::Problem::NameInUse: return Messages::Label38;
    case Catalogs::Problem::TableNameInUse: return Messages::Label60;
    case Catalogs::Problem::ReservedName: return Messages::Label62;
    case Catalogs::Problem::UnstorableName: return Messages::Label63;
    case Catalogs::Problem::UnprintableName: return Messages::Label75;
    case Catalogs::Problem::NameTooLong: return Messages::Label77;
    case Catalogs::Problem::Missing: return Messages::Label64;
    case Catalogs::Problem::ParentMissing: return Messages::Label74;
    case Catalogs::Problem::Changed: return Messages::Label72;
    case Catalogs::Problem::None: break;
    }
    return std::nullopt;
}

} // namespace

Frmaddcata::Frmaddcata(Store& store, Messages& messages, FormulaTree& tree, QPlainTextEdit& description, QWidget* parent)
    : QDialog(parent, DialogFrame)
    , ui(std::make_unique<Ui::Frmaddcata>())
    , store_(store)
    , messages_(messages)
    , tree_(tree)
    , description_(description)
{
    ui->setupUi(this);
    setFixedSize(size());
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(ui->Command1, &QPushButton::clicked, this, &Frmaddcata::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
}

Frmaddcata::~Frmaddcata() = default;

void Frmaddcata::setModify(const QSqlRecord& row)
{
    read_ = row;
    ui->Text1->setText(row.value(QStringLiteral("caption")).toString());
    ui->Text2->setPlainText(TextRules::shown(row.value(QStringLiteral("descr")).toString()));
    setWindowTitle(messages_.text(Messages::Label28));
}

void Frmaddcata::Command1_Click()
{
    const QString name = ui->Text1->text();
    const QString description = ui->Text2->toPlainText();
    if (const auto refusal = messageOf(Catalogs::checkInput(name, description))) {
        messages_.box(*refusal, MsgStyle::Information);
        return;
    }
    const bool adding = windowTitle() == messages_.text(Messages::Label20);
    if (adding ? addCatalog(name, description) : modifyCatalog(name, description)) {
        description_.setPlainText(name + QLatin1Char('\n') + description);
        accept();
    }
}

bool Frmaddcata::addCatalog(const QString& name, const QString& description)
{
    FormulaTree& tree = tree_;
    QTreeWidgetItem* selected = tree.current();
    if (!selected)
        selected = tree.root();
    const QString parent = tree.isRoot(selected) ? QString() : FormulaTree::key(selected);
    if (!storeChecked(name, parent, [&] { return Catalogs::checkAdd(store_, name); },
                      [&] { return Catalogs::add(store_, name, parent, description); }))
        return false;
    tree.add(FormulaTree::key(selected), name, ImageList::Folder);
    selected->setExpanded(true);
    emit catalogAdded(FormulaTree::key(selected), name, description);
    return true;
}

bool Frmaddcata::modifyCatalog(const QString& name, const QString& description)
{
    QTreeWidgetItem* selected = tree_.current();
    if (!selected || !read_)
        return false;
    const QString oldName = FormulaTree::key(selected);
    if (!storeChecked(name, oldName, [&] { return Catalogs::checkRename(store_, oldName, name); },
                      [&] { return Catalogs::modify(store_, oldName, name, description, *read_); }))
        return false;
    if (name != oldName)
        tree_.rename(selected, name);
    emit catalogModified(oldName, name, description);
    return true;
}

bool Frmaddcata::storeChecked(const QString& name, const QString& item, const std::function<Catalogs::Problem()>& check,
                              const std::function<Catalogs::Problem()>& write)
{
    Catalogs::Problem checked = Catalogs::Problem::None;
    Catalogs::Problem written = Catalogs::Problem::None;
    if (!messages_.runChecked([&] { return messageOf(checked = check()); }, [&] { written = write(); })) {
        // The message says only that a table has the name; the status line says whose it is.
        if (checked == Catalogs::Problem::TableNameInUse)
            messages_.notice(ItemName::whoseTable(store_, name));
        return false;
    }
    return !refuse(written, item);
}

bool Frmaddcata::refuse(Catalogs::Problem problem, const QString& catalog)
{
    const auto label = messageOf(problem);
    if (label)
        messages_.box(*label, catalog, MsgStyle::Information);
    return label.has_value();
}
