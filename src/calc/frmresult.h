#pragma once

#include "ui_frmresult.h"

#include <QDialog>

class form1;

// Lists the computations of the main window's result list; OK puts the chosen result, as the
// list shows it, into the grid cell being edited.
class Frmresult : public QDialog
{
    Q_OBJECT
public:
    explicit Frmresult(form1& main);

private:
    void Form_Load();
    void Command1_Click();

    Ui::Frmresult ui;
    form1& main_;
};
