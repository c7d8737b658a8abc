#include "calc/frmresult.h"

#include "layout/celltips.h"
#include "layout/dialogframe.h"
#include "layout/focusmarker.h"
#include "layout/lists.h"
#include "layout/messages.h"
#include "ui_frmresult.h"

namespace {
constexpr int ResultColumn = 2;
}

Frmresult::Frmresult(const QList<ComputationRecord>& computations, const Messages& messages, QWidget* parent)
    : QDialog(parent, DialogFrame)
    , ui(std::make_unique<Ui::Frmresult>())
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->Command1, &QPushButton::clicked, this, &Frmresult::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    CellTips::install(*ui->ListView1);
    markFocus(*this);
    Form_Load(computations, messages);
}

Frmresult::~Frmresult() = default;

void Frmresult::Form_Load(const QList<ComputationRecord>& computations, const Messages& messages)
{
    setListColumns(*ui->ListView1, {{messages.text(Messages::Label10), 3.5}, {messages.text(Messages::Label11), 4.5},
                                    {messages.text(Messages::Label12), 3.5}, {messages.text(Messages::Label13), 5},
                                    {messages.text(Messages::Label14), 3}, {messages.text(Messages::Label15), 5}});
    for (const ComputationRecord& computation : computations)
        new QTreeWidgetItem(ui->ListView1, computation.columns());
}

void Frmresult::Command1_Click()
{
    const QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    chosen_ = selected.constFirst()->text(ResultColumn);
    accept();
}
