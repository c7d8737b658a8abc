#pragma once

#include "variables/parameterboxes.h"

#include <QDialog>
#include <memory>

class Messages;
class QTreeWidgetItem;
namespace Ui {
class Frmmodpara;
}

// Changes one row of the formula editor's parameter list in place.
class Frmmodpara : public QDialog
{
    Q_OBJECT
public:
    Frmmodpara(Messages& messages, QTreeWidgetItem& row, QWidget* parent);
    ~Frmmodpara() override;

private:
    ParameterBoxes boxes();
    void Command1_Click();

    std::unique_ptr<Ui::Frmmodpara> ui;
    Messages& messages_;
    QTreeWidgetItem& row_;
};
