#pragma once

#include "ui_frmaddvar.h"
#include "variables/variables.h"

#include <QDialog>

class form1;
class QTreeWidgetItem;

// Adds a variable to the level selected in the main window's tree, or changes one entry of the
// main window's variable list. Its caption tells the two apart; "Next" adds one after another.
class Frmaddvar : public QDialog
{
    Q_OBJECT
public:
    explicit Frmaddvar(form1& main);

    // Sets the dialog up to change the variable of entry, a row of the variable list.
    void setModify(QTreeWidgetItem* entry);

private:
    void Command1_Click();
    void Command3_Click();
    // Checks the fields, then adds or changes the variable; true when written.
    bool saveVariable();
    bool addVariable(const NamedValue& variable, const QString& level);
    bool modifyVariable(const NamedValue& variable, const QString& level);
    // Says so when the library keeps the stored value rounded.
    void tellRounding(const QString& value);
    // Shows the problem's message, naming item where it names the variable or catalog another
    // window changed; true when there is one.
    bool refuse(Variables::Problem problem, const QString& item = {});

    Ui::Frmaddvar ui;
    form1& main_;
    // The list entry being changed, in modify mode.
    QTreeWidgetItem* entry_ = nullptr;
};
