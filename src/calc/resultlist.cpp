#include "calc/resultlist.h"

#include "calc/computationtext.h"
#include "calc/desktop.h"
#include "calc/exportprogress.h"
#include "calc/frmresult.h"
#include "calc/resulttext.h"
#include "calc/resultworkbook.h"
#include "calc/unitconversion.h"
#include "layout/celltips.h"
#include "layout/commondialog.h"
#include "layout/contextmenu.h"
#include "layout/lists.h"
#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "store/formula.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTime>
#include <QTreeWidget>

namespace {

constexpr int DeleteKey = 46;
// Where a row keeps the record of its computation.
constexpr int RecordRole = Qt::UserRole;

} // namespace

ResultList::ResultList(const Controls& controls, Store& store, Messages& messages, Units& units)
    : ui_(controls)
    , store_(store)
    , messages_(messages)
    , units_(units)
    , cd1(new CommonDialog(QStringLiteral("cd1"), QStringLiteral("Textfiles(*.txt)|*.txt"), &window()))
{
    QTreeWidget& list = ui_.ListView1;
    connect(&list, &QTreeWidget::itemClicked, this, &ResultList::ListView1_Click);
    list.installEventFilter(this);
    list.viewport()->installEventFilter(this);
    connect(&ui_.delres, &QAction::triggered, this, &ResultList::delres_Click);
    connect(&ui_.delallres, &QAction::triggered, this, &ResultList::delallres_Click);
    connect(&ui_.Routtxt, &QAction::triggered, this, &ResultList::Routtxt_Click);
    connect(&ui_.Routexcel, &QAction::triggered, this, &ResultList::Routexcel_Click);

    // The whole of a computation: Copy in the menu and Ctrl+C put the selected one on the
    // clipboard as text, and the pointer resting on a row shows it.
    ui_.Rcopyres.setShortcut(QKeySequence::Copy);
    ui_.Rcopyres.setShortcutContext(Qt::WidgetShortcut);
    list.addAction(&ui_.Rcopyres);
    connect(&ui_.Rcopyres, &QAction::triggered, this, [&list] {
        if (const QTreeWidgetItem* selected = selectedListRow(list))
            QGuiApplication::clipboard()->setText(ComputationText::copy(recordOf(*selected)));
    });
    CellTips::install(list, [this, &list](const QModelIndex& index) {
        const QTreeWidgetItem* row = list.itemFromIndex(index);
        if (!row)
            return QString();
        const ComputationRecord computation = recordOf(*row);
        const QString inUnit = inChosenUnit(computation);
        return ComputationText::details(computation) + (inUnit.isEmpty() ? QString() : QLatin1Char('\n') + inUnit);
    });

    // Beside Copy.
    auto* showInUnit = new QAction(QStringLiteral("Show in Unit…"), &ui_.Rdelresmenu);
    showInUnit->setObjectName(QStringLiteral("Rshowunit"));
    ui_.Rdelresmenu.addAction(showInUnit);
    connect(showInUnit, &QAction::triggered, this, &ResultList::Rshowunit_Click);
}

void ResultList::setUp()
{
    setListColumns(ui_.ListView1, {{messages_.text(Messages::Label10), 2.5}, {messages_.text(Messages::Label11), 5},
                                   {messages_.text(Messages::Label12), 2.5}, {messages_.text(Messages::Label13), 5},
                                   {messages_.text(Messages::Label14), 3}, {messages_.text(Messages::Label15), 5}});
}

QWidget& ResultList::window() const
{
    return *ui_.ListView1.window();
}

bool ResultList::isEmpty() const
{
    return ui_.ListView1.topLevelItemCount() == 0;
}

QList<ComputationRecord> ResultList::records() const
{
    const QTreeWidget& list = ui_.ListView1;
    QList<ComputationRecord> rows;
    rows.reserve(list.topLevelItemCount());
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.append(recordOf(*list.topLevelItem(i)));
    return rows;
}

QTreeWidgetItem* ResultList::addRow(QTreeWidget& list, const ComputationRecord& computation)
{
    auto* item = new QTreeWidgetItem(&list, computation.columns());
    item->setData(0, RecordRole, QVariant::fromValue(computation));
    return item;
}

ComputationRecord ResultList::recordOf(const QTreeWidgetItem& row)
{
    return row.data(0, RecordRole).value<ComputationRecord>();
}

bool ResultList::eventFilter(QObject* watched, QEvent* event)
{
    QTreeWidget& list = ui_.ListView1;
    if (const auto at = contextMenuAt(list, watched, event)) {
        ListView1_MouseDown(Qt::RightButton, *at);
        return true;
    }
    if (deleteKeyOn(list, watched, event)) {
        ListView1_KeyDown(DeleteKey);
        return true;
    }
    if (watched != list.viewport()
        || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease))
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // A click on a row comes as itemClicked; one on an empty list has no row to come with.
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton && isEmpty())
        ListView1_Click();
    return false;
}

void ResultList::add(const QString& caption, const QString& expression, const QList<GridRow>& rows, double value,
                     const QString& note)
{
    std::optional<ComputationRecord> made;
    // The row goes into the list only once the counter and the history are written.
    if (!messages_.run([&] { made = Computation::record(store_, caption, expression, rows, value, QTime::currentTime()); }))
        return;
    if (!made) {
        emit calculationFailed(Computation::notComputed(messages_.text(Messages::Label64)));
        return;
    }
    ui_.ListView1.scrollToItem(addRow(ui_.ListView1, *made));
    emit calculated(ComputationText::joinNotes({note, ComputationText::resultNote(*made), inChosenUnit(*made)}));
}

void ResultList::removeResultsOf(const QString& formula)
{
    QTreeWidget& list = ui_.ListView1;
    for (int i = list.topLevelItemCount() - 1; i >= 0; --i) {
        if (list.topLevelItem(i)->text(0) == formula)
            delete list.takeTopLevelItem(i);
    }
}

std::optional<QString> ResultList::chooseResult(QWidget* parent)
{
    Frmresult dialog(records(), messages_, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

void ResultList::ListView1_Click()
{
    RecallComputation();
}

void ResultList::RecallComputation()
{
    if (isEmpty()) {
        enableResultEntries(false);
        return;
    }
    const QTreeWidgetItem* selected = selectedListRow(ui_.ListView1);
    if (!selected)
        return;
    const ComputationRecord computed = recordOf(*selected);
    std::optional<Computation::Recalled> restored;
    std::optional<Formula> now;
    if (!messages_.run([&] {
            restored = Computation::recall(store_, computed.formula, computed.number);
            if (restored)
                now = Formula::read(store_, computed.formula);
        })
        || !restored)
        return;
    enableResultEntries(true);
    // The grid holds the values computed with, but the expression and "Calculate" are the
    // formula's as it is now: the user is told where the two differ.
    emit recalled(computed.formula, *restored,
                  ComputationText::joinNotes({ComputationText::recallNote(computed, now), inChosenUnit(computed)}));
}

void ResultList::ListView1_KeyDown(int keyCode)
{
    if (keyCode == DeleteKey)
        delres_Click();
}

void ResultList::ListView1_MouseDown(Qt::MouseButton button, const QPoint& position)
{
    if (button == Qt::RightButton && popUpListMenu(ui_.ListView1, ui_.Rdelresmenu, position))
        enableResultEntries(true);
}

void ResultList::delres_Click()
{
    QTreeWidgetItem* selected = selectedListRow(ui_.ListView1);
    if (!selected || messages_.box(Messages::Label51, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    // The computation's history rows stay until "Delete All Result" or the end of the run;
    // nothing reaches them once the row is gone.
    delete selected;
    emit resultsDeleted();
}

void ResultList::delallres_Click()
{
    if (messages_.box(Messages::Label55, MsgStyle::YesNoQuestion) != MsgAnswer::Yes)
        return;
    if (!messages_.run([this] { Computation::resetHistory(store_); }))
        return;
    ui_.ListView1.clear();
    enableResultEntries(false);
    emit resultsDeleted();
}

void ResultList::enableResultEntries(bool enabled)
{
    ui_.delres.setEnabled(enabled);
    ui_.delallres.setEnabled(enabled);
    ui_.Routresult.setEnabled(enabled);
}

void ResultList::Rshowunit_Click()
{
    const QTreeWidgetItem* selected = selectedListRow(ui_.ListView1);
    if (!selected)
        return;
    const ComputationRecord computation = recordOf(*selected);
    const QString unit = messages_.dialogs()
                             .inputText(&window(), QStringLiteral("Show %1 in the unit:").arg(computation.function),
                                        chosenUnits_.value(computation.formula, computation.unit),
                                        messages_.text(Messages::Label25))
                             .trimmed();
    if (unit.isEmpty())
        return;
    const UnitConversion::Reading reading = UnitConversion::read(units_, computation.value, computation.unit, unit);
    // Only a unit the result can be read in is kept for the formula.
    if (reading.value)
        chosenUnits_.insert(computation.formula, unit);
    messages_.notice(ComputationText::inUnit(computation, unit, reading));
}

QString ResultList::inChosenUnit(const ComputationRecord& computation)
{
    const QString unit = chosenUnits_.value(computation.formula);
    if (unit.isEmpty())
        return {};
    return ComputationText::inUnit(computation, unit, UnitConversion::read(units_, computation.value, computation.unit, unit));
}

// "Output All Result": the list written to a text file, or into a workbook that the desktop
// opens in the user's spreadsheet program. Both start alike: the "..." button goes, and an
// empty list has nothing to export.
bool ResultList::beginExport()
{
    emit exporting();
    if (!isEmpty())
        return true;
    messages_.box(Messages::Label50, MsgStyle::Information);
    return false;
}

std::optional<ExportOutcome> ResultList::exportList(const QAction& entry, const ExportRun& run)
{
    ExportSource source(store_, records());
    const ExportTexts texts{messages_.text(Messages::Label10), messages_.text(Messages::Label12),
                            messages_.text(Messages::Label56), ui_.Text8.text(),
                            messages_.text(Messages::Label57), messages_.text(Messages::Label15),
                            messages_.text(Messages::Label14)};
    ExportProgressDialog progress(entry.text(), messages_.text(Messages::Label25), &window());
    std::optional<ExportOutcome> outcome;
    if (!messages_.run([&] { outcome = run(source, texts, progress.callback()); }))
        return std::nullopt;
    if (outcome->kind == ExportOutcome::Kind::Failed) {
        QString reason = outcome->error;
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        messages_.box(messages_.text(Messages::Label69).arg(QDir::toNativeSeparators(outcome->path), reason),
                      MsgStyle::Information);
    }
    return outcome;
}

void ResultList::Routtxt_Click()
{
    if (!beginExport())
        return;
    const QString path = cd1->showSave(messages_.dialogs(), &window());
    if (path.isEmpty())
        return;
    exportList(ui_.Routtxt, [&](ExportSource& source, const ExportTexts& texts, const ExportProgress& progress) {
        return ResultText::write(source, texts, path, progress);
    });
}

void ResultList::Routexcel_Click()
{
    if (!beginExport())
        return;
    const std::optional<ExportOutcome> outcome
        = exportList(ui_.Routexcel, [](ExportSource& source, const ExportTexts& texts, const ExportProgress& progress) {
              return ResultWorkbook::make(source, texts, QDir::tempPath(), progress);
          });
    if (!outcome || outcome->kind != ExportOutcome::Kind::Written)
        return;
    SystemDesktop system;
    Desktop& desktop = desktop_ ? *desktop_ : system;
    if (!desktop.open(outcome->path))
        messages_.box(messages_.text(Messages::Label70).arg(QDir::toNativeSeparators(outcome->path)), MsgStyle::Information);
}
