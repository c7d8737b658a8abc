#include "variables/frmaddpara.h"

#include "layout/dialogframe.h"
#include "ui_frmaddpara.h"
#include "variables/listrow.h"

#include <QTreeWidget>

namespace {
const QString InitialDefault = QStringLiteral("0");
}

Frmaddpara::Frmaddpara(Messages& messages, QTreeWidget& parameters, QWidget* parent)
    : QDialog(parent, DialogFrame)
    , ui(std::make_unique<Ui::Frmaddpara>())
    , messages_(messages)
    , parameters_(parameters)
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->Command1, &QPushButton::clicked, this, &Frmaddpara::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->Command3, &QPushButton::clicked, this, &Frmaddpara::Command3_Click);
}

Frmaddpara::~Frmaddpara() = default;

void Frmaddpara::Command1_Click()
{
    if (addParameter())
        accept();
}

void Frmaddpara::Command3_Click()
{
    if (!addParameter())
        return;
    boxes().show({{}, {}, {}, InitialDefault, {}});
    ui->Text2->setFocus();
}

bool Frmaddpara::addParameter()
{
    const NamedValue parameter = boxes().typed();
    if (!acceptParameter(messages_, *this, parameter, parameterSymbols(parameters_)))
        return false;
    addListRow(parameters_, parameter);
    return true;
}

ParameterBoxes Frmaddpara::boxes()
{
    return {*ui->Text2, *ui->Text1, *ui->Text3, *ui->Text4, *ui->Text6};
}
