#pragma once

#include "variables/parameterboxes.h"

#include <QDialog>
#include <memory>

class Messages;
class QTreeWidget;
namespace Ui {
class Frmaddpara;
}

// Appends parameters to the formula editor's parameter list. Enter presses "Next", which
// keeps the dialog open for the next parameter.
class Frmaddpara : public QDialog
{
    Q_OBJECT
public:
    Frmaddpara(Messages& messages, QTreeWidget& parameters, QWidget* parent);
    ~Frmaddpara() override;

private:
    ParameterBoxes boxes();
    void Command1_Click();
    void Command3_Click();
    // True when the typed parameter passed its checks and is in the list.
    bool addParameter();

    std::unique_ptr<Ui::Frmaddpara> ui;
    Messages& messages_;
    QTreeWidget& parameters_;
};
