#include "calc/frmresult.h"

#include "calc/gridparameters.h"
#include "calc/parametergrid.h"
#include "calc/resultlist.h"
#include "layout/celltips.h"
#include "layout/dialogframe.h"
#include "layout/focusmarker.h"
#include "layout/lists.h"
#include "mainwindow/form1.h"

Frmresult::Frmresult(form1& main)
    : QDialog(&main, DialogFrame)
    , main_(main)
{
    ui.setupUi(this);
    setFixedSize(size());
    connect(ui.Command1, &QPushButton::clicked, this, &Frmresult::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &QDialog::reject);
    CellTips::install(*ui.ListView1);
    markFocus(*this);
    Form_Load();
}

void Frmresult::Form_Load()
{
    const Messages& texts = main_.messages();
    setListColumns(*ui.ListView1, {{texts.text(Messages::Label10), 3.5}, {texts.text(Messages::Label11), 4.5},
                                   {texts.text(Messages::Label12), 3.5}, {texts.text(Messages::Label13), 5},
                                   {texts.text(Messages::Label14), 3}, {texts.text(Messages::Label15), 5}});
    const QTreeWidget& results = *main_.controls().ListView1;
    for (int i = 0; i < results.topLevelItemCount(); ++i)
        addResultRow(*ui.ListView1, resultRowColumns(*results.topLevelItem(i)));
}

void Frmresult::Command1_Click()
{
    const QList<QTreeWidgetItem*> selected = ui.ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    const QString value = selected.constFirst()->text(ResultColumn::Result);
    Ui::form1& window = main_.controls();
    QTableWidget& grid = *window.MSFlexGrid1;
    bool rowRead = false;
    bool columnRead = false;
    const int row = window.Text5->text().toInt(&rowRead);
    const int column = window.Text6->text().toInt(&columnRead);
    if (rowRead && columnRead && row >= 0 && row < grid.rowCount() && column >= 0 && column < grid.columnCount()) {
        moveCurrentCell(grid, row, column);
        ParameterGrid::setCell(grid, row, column, value);
    }
    window.Text1->setText(value);
    accept();
}
