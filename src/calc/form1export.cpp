// "Output All Result": the result list written to a text file or into a workbook that the
// desktop opens in the user's spreadsheet program.
#include "calc/desktop.h"
#include "calc/exportprogress.h"
#include "calc/exportsource.h"
#include "calc/resultlist.h"
#include "calc/resulttext.h"
#include "calc/resultworkbook.h"
#include "layout/userdialogs.h"
#include "mainwindow/form1.h"

#include <QDir>

namespace {

using ExportRun = std::function<ExportOutcome(ExportSource&, const ExportTexts&, const ExportProgress&)>;

// Both exports start alike: the "..." button goes, and an empty list has nothing to export.
bool beginExport(form1& window)
{
    Ui::form1& ui = window.controls();
    ui.Command3->hide();
    if (ui.ListView1->topLevelItemCount() > 0)
        return true;
    window.messages().box(Messages::Label50, MsgStyle::Information);
    return false;
}

QList<ComputationRecord> listedRows(const QTreeWidget& list)
{
    QList<ComputationRecord> rows;
    rows.reserve(list.topLevelItemCount());
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.append(recordOf(*list.topLevelItem(i)));
    return rows;
}

ExportTexts exportTexts(const Messages& texts, const Ui::form1& ui)
{
    return {texts.text(Messages::Label10), texts.text(Messages::Label12), texts.text(Messages::Label56),
            ui.Text8->text(), texts.text(Messages::Label57), texts.text(Messages::Label15),
            texts.text(Messages::Label14)};
}

// Runs an export of the whole list under a progress dialog naming the menu entry. A file
// that could not be written is told here; nullopt when the library refused a statement,
// which Messages::run has told.
std::optional<ExportOutcome> exportList(form1& window, const QAction& entry, const ExportRun& run)
{
    Ui::form1& ui = window.controls();
    ExportSource source(window.store(), listedRows(*ui.ListView1));
    Messages& messages = window.messages();
    ExportProgressDialog progress(entry.text(), messages.text(Messages::Label25), &window);
    std::optional<ExportOutcome> outcome;
    if (!messages.run([&] { outcome = run(source, exportTexts(messages, ui), progress.callback()); }))
        return std::nullopt;
    if (outcome->kind == ExportOutcome::Kind::Failed) {
        QString reason = outcome->error;
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        messages.box(messages.text(Messages::Label69).arg(QDir::toNativeSeparators(outcome->path), reason),
                     MsgStyle::Information);
    }
    return outcome;
}

} // namespace

void form1::connectExport()
{
    connect(ui.Routtxt, &QAction::triggered, this, &form1::Routtxt_Click);
    connect(ui.Routexcel, &QAction::triggered, this, &form1::Routexcel_Click);
}

void form1::Routtxt_Click()
{
    if (!beginExport(*this))
        return;
    const QString path = cd1->showSave(messages_->dialogs(), this);
    if (path.isEmpty())
        return;
    exportList(*this, *ui.Routtxt, [&](ExportSource& source, const ExportTexts& texts, const ExportProgress& progress) {
        return ResultText::write(source, texts, path, progress);
    });
}

void form1::Routexcel_Click()
{
    if (!beginExport(*this))
        return;
    const std::optional<ExportOutcome> outcome = exportList(
        *this, *ui.Routexcel, [](ExportSource& source, const ExportTexts& texts, const ExportProgress& progress) {
            return ResultWorkbook::make(source, texts, QDir::tempPath(), progress);
        });
    if (!outcome || outcome->kind != ExportOutcome::Kind::Written)
        return;
    SystemDesktop system;
    Desktop& desktop = desktop_ ? *desktop_ : system;
    if (!desktop.open(outcome->path))
        messages_->box(messages_->text(Messages::Label70).arg(QDir::toNativeSeparators(outcome->path)),
                       MsgStyle::Information);
}
