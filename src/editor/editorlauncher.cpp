#include "editor/editorlauncher.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

EditorLauncher::EditorLauncher(const Controls& controls, Store& store, Messages& messages, Units& units,
                               Selected catalogOrRoot, Selected formula)
    : ui_(controls)
    , store_(store)
    , messages_(messages)
    , units_(units)
    , catalogOrRoot_(std::move(catalogOrRoot))
    , formula_(std::move(formula))
{
    connect(&ui_.mnewfun, &QAction::triggered, this, &EditorLauncher::mnewfun_Click);
    connect(&ui_.mnewfunroot, &QAction::triggered, this, &EditorLauncher::mnewfun_Click);
    connect(&ui_.mmodfun, &QAction::triggered, this, &EditorLauncher::mmodfun_Click);
}

void EditorLauncher::mnewfun_Click()
{
    if (const std::optional<QString> key = catalogOrRoot_())
        openFormulaEditor(Messages::Label23, *key);
}

void EditorLauncher::mmodfun_Click()
{
    if (const std::optional<QString> key = formula_())
        openFormulaEditor(Messages::Label22, *key);
}

void EditorLauncher::openFormulaEditor(Messages::Label mode, const QString& key)
{
    // The mode field tells the editor's load which mode it opens in; its caption tells its
    // OK which it saves in.
    ui_.Text2.setText(messages_.text(mode));
    QWidget& window = ui_.window;
    auto* editor = new Frmaddnewfun(store_, messages_, units_, ui_.menus, ui_.Text2, key, &window);
    if (!editor->Form_Load()) {
        delete editor;
        return;
    }
    editor->setWindowTitle(messages_.text(mode));
    connect(editor, &QDialog::finished, &window, [&window] { window.setEnabled(true); });
    connect(editor, &Frmaddnewfun::formulaAdded, this, &EditorLauncher::formulaAdded);
    connect(editor, &Frmaddnewfun::formulaModified, this, &EditorLauncher::formulaModified);
    window.setEnabled(false);
    // Windows of their own stay usable while the main window is disabled: the editor, and the
    // menus it pops up over its lists.
    for (QWidget* usable : std::initializer_list<QWidget*>{editor, &ui_.menus.Rmenu, &ui_.menus.Rmenuaddvar})
        usable->setEnabled(true);
    editor->show();
}
