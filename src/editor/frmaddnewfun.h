#pragma once

#include "calc/calcengine.h"
#include "editor/formulas.h"
#include "layout/messages.h"
#include "ui_frmaddnewfun.h"

#include <QDialog>

class form1;

// The formula editor: adds a formula to a catalog or the root, or changes one, with its
// parameter list. Modeless; the main window stays disabled while it is open. Made afresh for
// every opening and gone when it closes.
class Frmaddnewfun : public QDialog
{
    Q_OBJECT
public:
    // contextKey: the tree key of the node the editor works on, the catalog (or the root) a
    // new formula goes into, or the formula being changed.
    Frmaddnewfun(form1& main, const QString& contextKey);

    // Fills the dialog for the mode the main window's mode field holds. False, after telling
    // the user, when the formula to change can no longer be read.
    bool Form_Load();

signals:
    // The formula was rewritten in the library: the main window shows it again.
    void formulaModified();

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
    void updateExpressionCheck();

    Ui::Frmaddnewfun ui;
    form1& main_;
    QString contextKey_;
    // The formula being changed as the library held it when the editor opened.
    std::optional<Formula> read_;
    CalcEngine engine_;
};
