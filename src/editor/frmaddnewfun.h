#pragma once

#include "calc/calcengine.h"
#include "editor/formulas.h"
#include "layout/messages.h"

#include <QDialog>
#include <memory>
#include <optional>

class QAction;
class QLineEdit;
class QMenu;
class Store;
class Units;
namespace Ui {
class Frmaddnewfun;
}

// The formula editor: adds a formula to a catalog or the root, or changes one, with its
// parameter list. Modeless; the main window stays disabled while it is open. Made afresh for
// every opening and gone when it closes.
class Frmaddnewfun : public QDialog
{
    Q_OBJECT
public:
    // The main window's menus that the editor's lists open, with their entries: they outlive the
    // editor, and so does their state.
    struct Menus
    {
        QMenu& Rmenu;
        QMenu& Rmenuaddvar;
        QAction& Rmodpara;
        QAction& Rdelpara;
        QAction& Raddvar;
    };

    // modeField: the main window's Text2, holding the mode the editor opens in. contextKey: the
    // tree key of the node the editor works on, the catalog (or the root) a new formula goes
    // into, or the formula being changed.
    Frmaddnewfun(Store& store, Messages& messages, Units& units, const Menus& menus, const QLineEdit& modeField,
                 const QString& contextKey, QWidget* parent);
    ~Frmaddnewfun() override;

    // Fills the dialog for the mode the mode field holds. False, after telling the user, when
    // the formula to change can no longer be read.
    bool Form_Load();

signals:
    // A formula was stored under the node of parentKey: the tree shows it.
    void formulaAdded(const QString& parentKey, const QString& name);
    // The formula of key was rewritten in the library, under name now: the tree and the window
    // show it again.
    void formulaModified(const QString& key, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void ListView1_Click();
    void ListView1_DblClick();
    void ListView2_Click();
    void Rmodpara_Click();
    void Rdelpara_Click();
    void CopyVariableToParameters();

    Formula typedFormula() const;
    // The caption of the catalog a new formula goes into; empty for the root.
    QString catalogAddedInto() const;
    // True when the formula passed its checks and is stored, the tree showing it.
    bool save(bool adding);
    bool addFormula(const Formula& formula);
    bool modifyFormula(const Formula& formula);
    // Says which default values the library keeps rounded, after they were stored.
    void tellRoundedDefaults(const QList<NamedValue>& parameters);
    static std::optional<Messages::Label> messageOf(Formulas::Problem problem);
    // Tells the problem, naming the formula, or the catalog added into, that another window
    // changed; false for none.
    bool refuse(Formulas::Problem problem, const QString& catalog);
    // The lines under the expression: what the engine finds wrong in it, or else whether its
    // units agree with the result's.
    void updateExpressionCheck();

    std::unique_ptr<Ui::Frmaddnewfun> ui;
    Store& store_;
    Messages& messages_;
    Units& units_;
    Menus menus_;
    const QLineEdit& modeField_;
    QString contextKey_;
    // The formula being changed as the library held it when the editor opened.
    std::optional<Formula> read_;
    CalcEngine engine_;
};
