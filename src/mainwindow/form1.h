#pragma once

// The main window, and how the program fits together.
//
// form1 is the one main window. Every control of it is form1.ui's, its hidden labels among them,
// whose captions are every text the system shows (read through Messages). The window keeps the
// formula tree with its menus (catalogs and deletions), its load, resize and close, and
// "Calculate". The rest is panels of their subsystems, each made here and handed the controls it
// works with:
//   calc/       ParameterGrid: the parameter grid and its in-cell editor;
//               ResultList: the results, their recall, deletion and exports;
//   variables/  VariableList: the variables of the level the tree shows;
//   editor/     EditorLauncher: opens the formula editor, with the window disabled meanwhile;
//   mainwindow/ CatalogSharing: catalogs exported to files and imported from them;
//               FindBox: the find box over the tree, which it narrows to what was found.
// A panel does not know the window: what it needs of the tree it asks through a function it was
// given, and what it did it tells by signal, so that the window can follow. Dialogs take the
// store, Messages and the controls they fill, never the window.
//
// Under the panels and dialogs, each subsystem keeps its rules and statements in modules without
// any widget. A folder uses only those before it in store ← layout ← calc ← variables ← editor
// ← mainwindow: the store holds the library, its records and the one caption lookup and name
// rule; layout what every window shares.

#include "layout/module1.h"
#include "mainwindow/formulatree.h"

#include <QWidget>
#include <future>
#include <memory>
#include <optional>

class CatalogSharing;
class Desktop;
class EditorLauncher;
class FindBox;
class ImageList;
class IntegrityCheck;
class Messages;
class ParameterGrid;
class ResultList;
class StatusLine;
class Store;
class Units;
class UserDialogs;
class VariableList;
namespace Computation {
struct Recalled;
}
namespace Ui {
class form1;
}

class form1 : public QWidget
{
    Q_OBJECT
public:
    // treeReadAhead, when given, is the library's tree being read already (see startSession).
    form1(Store& store, UserDialogs& dialogs, QWidget* parent = nullptr, std::future<LibraryTree> treeReadAhead = {});
    ~form1() override;

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
    void createPanels();
    void connectTree();
    void connectStatusLine();
    // Ctrl+Return and F9 calculate, Tab goes only where input is taken, the focus is framed.
    void connectKeyboard();

    void Form_Load();
    LibraryTree takeLibraryTree();
    void Form_Resize();
    void Form_Unload();

    // The formula tree (form1tree.cpp).
    void Tvwmain_Click();
    void Tvwmain_DblClick();
    void Tvwmain_KeyDown(int keyCode);
    void Tvwmain_MouseDown(Qt::MouseButton button, const QPoint& position);
    // False when the catalog has no row: then nothing more is shown.
    bool showCatalogOf(const QString& caption);
    void showRoot();
    void showFormula(const QString& caption);
    void showDescription(const QString& name, const QString& description);
    // The level whose variables the list shows and the variable commands change: the selected
    // catalog's caption, or an empty text for the root; nullopt when neither is selected.
    std::optional<QString> variableLevel() const;
    // The key of the node selected in the tree when it is the root or a catalog (or else when it
    // is a formula); nullopt otherwise.
    std::optional<QString> selectedKey(bool catalogOrRoot) const;

    // Catalogs, formulas and deletions, from the tree's menus.
    void mnewcata_Click();
    void mmodcata_Click();
    void mdelfun_Click();
    void mdelcata_Click();
    void mdelallfunroot_Click();
    // The sweep window for the selected formula, from the grid's inputs.
    void msweep_Click();
    // What the formula editor stored, shown in the tree.
    void showAddedFormula(const QString& parentKey, const QString& name);
    void showModifiedFormula(const QString& key, const QString& name);

    // "Calculate", and what the result list asks of the window.
    void Command1_Click();
    void showRecalled(const QString& formula, const Computation::Recalled& computation, const QString& note);
    void clearFormulaView();

    std::unique_ptr<Ui::form1> ui;
    Store& store_;
    Messages* messages_;
    ImageList* images_;
    FormulaTree tree_;
    std::future<LibraryTree> treeReadAhead_;
    IntegrityCheck* integrityCheck_;
    // Read on the first question asked of it, so that a session without units pays nothing.
    std::unique_ptr<Units> units_;
    // The panels, gone before the controls they work with, which are the window's children.
    std::unique_ptr<ResultList> results_;
    std::unique_ptr<ParameterGrid> grid_;
    std::unique_ptr<VariableList> variables_;
    std::unique_ptr<EditorLauncher> editor_;
    std::unique_ptr<CatalogSharing> sharing_;
    std::unique_ptr<FindBox> find_;
    StatusLine* statusLine_ = nullptr;
    Module1 layouts_;

    // Whether the current press on the tree made its node current, and so showed it already.
    bool nodeShownByPress_ = false;
};
