// The main window's entry points to the formula editor: "Add Formula" on a catalog or the
// root, "Modify Formula" and the double click on a formula.
#include "editor/frmaddnewfun.h"
#include "mainwindow/form1.h"

void form1::connectEditor()
{
    connect(ui.mnewfun, &QAction::triggered, this, &form1::mnewfun_Click);
    connect(ui.mnewfunroot, &QAction::triggered, this, &form1::mnewfun_Click);
    connect(ui.mmodfun, &QAction::triggered, this, &form1::mmodfun_Click);
}

void form1::mnewfun_Click()
{
    const QTreeWidgetItem* node = ui.Tvwmain->currentItem();
    if (node && FormulaTree::isFolder(node))
        openFormulaEditor(Messages::Label23);
}

void form1::mmodfun_Click()
{
    const QTreeWidgetItem* node = ui.Tvwmain->currentItem();
    if (node && !FormulaTree::isFolder(node))
        openFormulaEditor(Messages::Label22);
}

void form1::openFormulaEditor(Messages::Label mode)
{
    // The mode field tells the editor's load which mode it opens in; its caption tells its
    // OK which it saves in.
    ui.Text2->setText(messages_->text(mode));
    auto* editor = new Frmaddnewfun(*this, FormulaTree::key(ui.Tvwmain->currentItem()));
    if (!editor->Form_Load()) {
        delete editor;
        return;
    }
    editor->setWindowTitle(messages_->text(mode));
    connect(editor, &QDialog::finished, this, [this] { setEnabled(true); });
    // The formula shown is the one rewritten: show it as the library now holds it.
    connect(editor, &Frmaddnewfun::formulaModified, this, &form1::Tvwmain_Click);
    setEnabled(false);
    // Windows of their own stay usable while the main window is disabled: the editor, and the
    // menus it pops up over its lists.
    for (QWidget* window : std::initializer_list<QWidget*>{editor, ui.Rmenu, ui.Rmenuaddvar})
        window->setEnabled(true);
    editor->show();
}
