// "Calculate" and the result list: computing the selected formula with the grid's values,
// recalling a computation, and deleting results.
#include "calc/calcengine.h"
#include "calc/computation.h"
#include "calc/computationtext.h"
#include "calc/gridparameters.h"
#include "calc/history.h"
#include "calc/parametergrid.h"
#include "calc/resultlist.h"
#include "layout/contextmenu.h"
#include "layout/lists.h"
#include "layout/userdialogs.h"
#include "mainwindow/form1.h"
#include "mainwindow/statustext.h"
#include "store/formula.h"
#include "variables/listrow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTime>

namespace {

constexpr int DeleteKey = 46;

} // namespace

void form1::connectCalculation()
{
    connectGrid();
    connect(ui.Command1, &QPushButton::clicked, this, &form1::Command1_Click);
    connect(ui.ListView1, &QTreeWidget::itemClicked, this, &form1::ListView1_Click);
    ui.ListView1->installEventFilter(this);
    ui.ListView1->viewport()->installEventFilter(this);
    connect(ui.delres, &QAction::triggered, this, &form1::delres_Click);
    connect(ui.delallres, &QAction::triggered, this, &form1::delallres_Click);
    connectExport();
}

bool form1::resultListEvent(QObject* watched, QEvent* event)
{
    QTreeWidget& list = *ui.ListView1;
    if (const auto at = contextMenuAt(list, watched, event)) {
        ListView1_MouseDown(Qt::RightButton, *at);
        return true;
    }
    if (watched == &list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        ListView1_KeyDown(DeleteKey);
        return true;
    }
    if (watched != list.viewport()
        || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease))
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // A click on a row comes as itemClicked; one on an empty list has no row to come with.
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton
        && list.topLevelItemCount() == 0)
        ListView1_Click();
    return false;
}

void form1::Command1_Click()
{
    ui.Command3->hide();
    const QString expression = ui.Text3->toPlainText();
    const QTreeWidgetItem* node = ui.Tvwmain->currentItem();
    // With no node current (after a deletion, say) there is no formula to file a result under.
    if (expression.isEmpty() || !node) {
        messages_->box(Messages::Label49, MsgStyle::Information);
        return;
    }
    QTableWidget& grid = *ui.MSFlexGrid1;
    const QList<GridRow> rows = gridParameters(grid);
    moveCurrentCell(grid, grid.rowCount() - 1, ParameterGrid::InputColumn);

    // A text the parameter string cannot carry fails like any value the engine rejects: the
    // click leaves nothing in the library or the list; only the status line says why.
    const std::optional<QString> parameters = Computation::parameterString(rows);
    if (!parameters) {
        emit calculationFailed(StatusText::untransferable(rows));
        return;
    }
    CalcEngine engine;
    double result = 0;
    int error = 0;
    engine.Evaluate(expression, *parameters, result, error);
    if (error != 0) {
        emit calculationFailed(StatusText::engineFailure(engine, rows));
        return;
    }

    const QString caption = node->text(0);
    std::optional<ComputationRecord> made;
    // The row goes into the list only once the counter and the history are written.
    if (!messages_->run([&] { made = Computation::record(store_, caption, expression, rows, result, QTime::currentTime()); }))
        return;
    if (!made) {
        emit calculationFailed(StatusText::notComputed(messages_->text(Messages::Label64)));
        return;
    }
    ui.ListView1->scrollToItem(addResultRow(*ui.ListView1, *made));
    emit calculated(ComputationText::resultNote(*made));
}

void form1::ListView1_Click()
{
    RecallComputation();
}

void form1::RecallComputation()
{
    if (ui.ListView1->topLevelItemCount() == 0) {
        enableResultEntries(false);
        return;
    }
    const QTreeWidgetItem* selected = selectedListRow(*ui.ListView1);
    if (!selected)
        return;
    const QString formula = selected->text(ResultColumn::Formula);
    std::optional<Computation::Recalled> restored;
    std::optional<Formula> now;
    if (!messages_->run([&] {
            restored = Computation::recall(store_, formula, selected->text(ResultColumn::Number));
            if (restored)
                now = Formula::read(store_, formula);
        })
        || !restored)
        return;

    // The grid is refilled: an edit still open belongs to what it showed before, as after a
    // tree click.
    SelectionChanged = 1;
    ui.Text1->clear();
    ui.Text3->show();
    ui.Text3->setPlainText(restored->expression);
    showDescription(formula, restored->description);
    // "Calculate" computes the formula selected in the tree.
    if (QTreeWidgetItem* node = tree_.find(formula))
        tree_.selectQuietly(node);
    QTableWidget& grid = *ui.MSFlexGrid1;
    grid.show();
    showGridRows(grid, gridHeader(), restored->parameters);
    moveCurrentCell(grid, 0, 0);

    enableResultEntries(true);
    ui.ListView2->hide();
    ui.Command3->hide();
    ui.Label2->setText(ui.Text8->text());
    ui.Label4->show();
    ui.Command1->show();
    // The grid holds the values computed with, but the expression and "Calculate" are the
    // formula's as it is now: the user is told where the two differ.
    emit recalled(ComputationText::recallNote(recordOf(*selected), now));
}

void form1::ListView1_KeyDown(int keyCode)
{
    if (keyCode == DeleteKey)
        delres_Click();
}

void form1::ListView1_MouseDown(Qt::MouseButton button, const QPoint& position)
{
    if (button == Qt::RightButton && popUpListMenu(*ui.ListView1, *ui.Rdelresmenu, position))
        enableResultEntries(true);
}

void form1::delres_Click()
{
    QTreeWidgetItem* selected = selectedListRow(*ui.ListView1);
    if (!selected || messages_->box(Messages::Label51, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    // The computation's history rows stay until "Delete All Result" or the end of the run;
    // nothing reaches them once the row is gone.
    delete selected;
    clearFormulaView();
}

void form1::delallres_Click()
{
    if (messages_->box(Messages::Label55, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    if (!messages_->run([this] { History::reset(store_); }))
        return;
    ui.ListView1->clear();
    enableResultEntries(false);
    clearFormulaView();
}

void form1::enableResultEntries(bool enabled)
{
    ui.delres->setEnabled(enabled);
    ui.delallres->setEnabled(enabled);
    ui.Routresult->setEnabled(enabled);
}

void form1::clearFormulaView()
{
    ui.Text3->clear();
    ui.Text4->clear();
    // An edit still open belongs to the grid as it was.
    SelectionChanged = 1;
    ParameterGrid::clear(*ui.MSFlexGrid1, gridHeader());
    moveCurrentCell(*ui.MSFlexGrid1, 0, 0);
}
