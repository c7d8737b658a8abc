#pragma once

#include "calc/computation.h"
#include "calc/exportsource.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <optional>

class CommonDialog;
class Desktop;
class Messages;
class QAction;
class QEvent;
class QLineEdit;
class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class Store;
class Units;

// The result list of the main window: a row per computation of this run, each keeping the
// record of what it used and gave. A click recalls a computation into the window; the list's
// menu deletes results and exports them all, to a text file or a workbook; Copy and the tooltip
// tell a whole computation. "Show in Unit…" reads a result in a unit the user types; the
// formula's later results are read in it too, on the status line and in the tooltip, for the
// rest of the session. The window lays the recalled computation out when told.
class ResultList : public QObject
{
    Q_OBJECT
public:
    // The main window's controls the list works with.
    struct Controls
    {
        QTreeWidget& ListView1;
        QMenu& Rdelresmenu;
        QAction& delres;
        QAction& delallres;
        QMenu& Routresult;
        QAction& Routtxt;
        QAction& Routexcel;
        QAction& Rcopyres;
        const QLineEdit& Text8; // "Expression:", which the workbook puts over the expressions
    };

    ResultList(const Controls& controls, Store& store, Messages& messages, Units& units);

    // The column headers, at load.
    void setUp();
    // Exported workbooks go to desktop; without one, to the system's.
    void setDesktop(Desktop* desktop) { desktop_ = desktop; }

    bool isEmpty() const;
    // Records the computation of the formula captioned caption that gave value, and adds its row;
    // the status line is told either way, with note (the inputs converted) when it was added.
    void add(const QString& caption, const QString& expression, const QList<GridRow>& rows, double value,
             const QString& note = {});
    void removeResultsOf(const QString& formula);
    // The Choose Result dialog over parent: the result chosen, as the list shows it; nullopt when
    // none was.
    std::optional<QString> chooseResult(QWidget* parent);

    // A row for computation, which keeps its record.
    static QTreeWidgetItem* addRow(QTreeWidget& list, const ComputationRecord& computation);
    static ComputationRecord recordOf(const QTreeWidgetItem& row);

signals:
    // What the status line tells: Calculate added nothing, for reason; or added a result, with a
    // note about it (may be empty).
    void calculationFailed(const QString& reason);
    void calculated(const QString& note);
    // A computation of formula was recalled: the window shows it; note tells what changed since.
    void recalled(const QString& formula, const Computation::Recalled& computation, const QString& note);
    // Results were deleted, and the formula view goes with them.
    void resultsDeleted();
    // An export begins: the grid's "..." button goes.
    void exporting();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using ExportRun = std::function<ExportOutcome(ExportSource&, const ExportTexts&, const ExportProgress&)>;

    void ListView1_Click();
    void RecallComputation();
    void ListView1_KeyDown(int keyCode);
    void ListView1_MouseDown(Qt::MouseButton button, const QPoint& position);
    void delres_Click();
    void delallres_Click();
    void enableResultEntries(bool enabled);
    void Rshowunit_Click();
    // The result read in the unit chosen for its formula; empty when none was chosen.
    QString inChosenUnit(const ComputationRecord& computation);
    void Routtxt_Click();
    void Routexcel_Click();
    bool beginExport();
    // Runs an export of the whole list under a progress dialog naming the menu entry. A file
    // that could not be written is told here; nullopt when the library refused a statement,
    // which Messages::run has told.
    std::optional<ExportOutcome> exportList(const QAction& entry, const ExportRun& run);
    QList<ComputationRecord> records() const;
    QWidget& window() const;

    Controls ui_;
    Store& store_;
    Messages& messages_;
    Units& units_;
    QHash<QString, QString> chosenUnits_; // by formula caption
    CommonDialog* cd1;
    Desktop* desktop_ = nullptr;
};
