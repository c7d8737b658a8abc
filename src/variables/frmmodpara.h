#pragma once

#include "ui_frmmodpara.h"
#include "variables/parameterboxes.h"

#include <QDialog>

class QTreeWidgetItem;
class form1;

// Changes one row of the formula editor's parameter list in place.
class Frmmodpara : public QDialog
{
    Q_OBJECT
public:
    Frmmodpara(form1& main, QTreeWidgetItem& row, QWidget* parent);

private:
    ParameterBoxes boxes();
    void Command1_Click();

    Ui::Frmmodpara ui;
    form1& main_;
    QTreeWidgetItem& row_;
};
