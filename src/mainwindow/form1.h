#pragma once

#include "calc/computation.h"
#include "layout/messages.h"
#include "layout/module1.h"
#include "mainwindow/formulatree.h"
#include "mainwindow/imagelist.h"

#include <QWidget>
#include <functional>
#include <future>
#include <memory>
#include <optional>

class Desktop;
class EditorLauncher;
class ParameterGrid;
class ResultList;
class StatusLine;
class VariableList;
namespace Ui {
class form1;
}
class IntegrityCheck;
class Store;
class UserDialogs;

// The main window: the formula tree, the variable list, the expression and description boxes,
// the parameter grid, "Calculate" and the result list, with the context menus of all of them.
// Its hidden labels hold every text the system shows.
class form1 : public QWidget
{
    Q_OBJECT
public:
    // treeReadAhead, when given, is the library's tree being read already (see startSession).
    form1(Store& store, UserDialogs& dialogs, QWidget* parent = nullptr, std::future<LibraryTree> treeReadAhead = {});
    ~form1() override;

    Store& store() { return store_; }
    Messages& messages() { return *messages_; }
    FormulaTree& tree() { return tree_; }
    Ui::form1& controls() { return *ui; }
    // Exported workbooks go to desktop; without one, to the system's.
    void setDesktop(Desktop* desktop);


protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    LibraryTree takeLibraryTree();
    void Form_Resize();
    void Form_Unload();
    // Ctrl+Return and F9 calculate, Tab goes only where input is taken, the focus is framed.
    void connectKeyboard();
    void connectStatusLine();
    void connectCommands();

    // The formula tree.
    void Tvwmain_Click();
    void Tvwmain_DblClick();
    void Tvwmain_KeyDown(int keyCode);
    void Tvwmain_MouseDown(Qt::MouseButton button, const QPoint& position);
    // False when the catalog has no row: then nothing more is shown.
    bool showCatalogOf(const QString& caption);
    void showRoot();
    void showFormula(const QString& caption);
    void showDescription(const QString& name, const QString& description);

    // Catalogs, formulas and deletions, from the tree's menus.
    void mnewcata_Click();
    void mmodcata_Click();
    void mdelfun_Click();
    void mdelcata_Click();
    void mdelallfunroot_Click();

    // What the formula editor stored, shown in the tree.
    void showAddedFormula(const QString& parentKey, const QString& name);
    void showModifiedFormula(const QString& key, const QString& name);

    // "Calculate", and a computation the result list recalls.
    void Command1_Click();
    void showRecalled(const QString& formula, const Computation::Recalled& computation, const QString& note);
    void clearFormulaView();

    // The level whose variables the list shows and the variable commands change: the selected
    // catalog's caption, or an empty text for the root; nullopt when neither is selected.
    std::optional<QString> variableLevel() const;
    // The key of the node selected in the tree when it is the root or a catalog (or else when it
    // is a formula); nullopt otherwise.
    std::optional<QString> selectedKey(bool catalogOrRoot) const;

    std::unique_ptr<Ui::form1> ui;
    Store& store_;
    Messages* messages_;
    ImageList* images_;
    FormulaTree tree_;
    std::future<LibraryTree> treeReadAhead_;
    IntegrityCheck* integrityCheck_;
    std::unique_ptr<ResultList> results_;
    std::unique_ptr<ParameterGrid> grid_;
    std::unique_ptr<VariableList> variables_;
    std::unique_ptr<EditorLauncher> editor_;
    StatusLine* statusLine_ = nullptr;
    Module1 layouts_;

    // Whether the current press on the tree made its node current, and so showed it already.
    bool nodeShownByPress_ = false;
};
