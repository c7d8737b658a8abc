#pragma once

#include "ui_frmaddpara.h"
#include "variables/parameterboxes.h"

#include <QDialog>

class QTreeWidget;
class form1;

// Appends parameters to the formula editor's parameter list. Enter presses "Next", which
// keeps the dialog open for the next parameter.
class Frmaddpara : public QDialog
{
    Q_OBJECT
public:
    Frmaddpara(form1& main, QTreeWidget& parameters, QWidget* parent);

private:
    ParameterBoxes boxes();
    void Command1_Click();
    void Command3_Click();
    // True when the typed parameter passed its checks and is in the list.
    bool addParameter();

    Ui::Frmaddpara ui;
    form1& main_;
    QTreeWidget& parameters_;
};
