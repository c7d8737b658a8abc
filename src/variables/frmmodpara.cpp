#include "variables/frmmodpara.h"

#include "layout/dialogframe.h"
#include "ui_frmmodpara.h"
#include "variables/listrow.h"

#include <QTreeWidget>

Frmmodpara::Frmmodpara(Messages& messages, QTreeWidgetItem& row, QWidget* parent)
    : QDialog(parent, DialogFrame)
    , ui(std::make_unique<Ui::Frmmodpara>())
    , messages_(messages)
    , row_(row)
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->Command1, &QPushButton::clicked, this, &Frmmodpara::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    boxes().show(listRow(row));
}

Frmmodpara::~Frmmodpara() = default;

void Frmmodpara::Command1_Click()
{
    const NamedValue parameter = boxes().typed();
    // An unchanged symbol is not compared again: it is the row's own.
    const QStringList taken = parameter.symbol == row_.text(0) ? QStringList() : parameterSymbols(*row_.treeWidget());
    if (!acceptParameter(messages_, *this, parameter, taken))
        return;
    setListRow(row_, parameter);
    accept();
}

ParameterBoxes Frmmodpara::boxes()
{
    return {*ui->Text2, *ui->Text1, *ui->Text3, *ui->Text4, *ui->Text6};
}
