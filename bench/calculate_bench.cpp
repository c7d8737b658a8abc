// A "Calculate" click on a large library: the engine, the counter update, the history rows and
// the new row of the result list, as the user's click runs them.
#include "benchlibrary.h"
#include "calc/parametergrid.h"
#include "mainwindow/form1.h"
#include "mainwindow/userdialogs.h"
#include "store/store.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTreeWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

// A benchmark must never wait for a user: any box means a statement failed.
class SilentDialogs final : public UserDialogs
{
public:
    int msgBox(QWidget*, const QString& text, int, const QString&) override
    {
        shown << text;
        return MsgAnswer::No;
    }
    QString saveFileName(QWidget*, const QString&) override { return {}; }

    QStringList shown;
};

bool showExposed(QWidget& window)
{
    window.show();
    const QDeadlineTimer deadline(10000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed())) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    return true;
}

// A session makes some dozens of computations, not thousands: the list and the history are
// emptied this often, outside the measurement.
constexpr int ResultsKept = 50;

void calculateClick(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    Store store(benchLibraryDir(formulas));
    SilentDialogs dialogs;
    form1 window(store, dialogs);
    if (!showExposed(window)) {
        state.SkipWithError("window never exposed");
        return;
    }
    const Ui::form1& ui = window.controls();
    QTreeWidgetItem* formula = window.tree().find(benchFormulaName(2 * formulas / 3));
    if (!formula) {
        state.SkipWithError("formula node missing");
        return;
    }
    ui.Tvwmain->setCurrentItem(formula);
    emit ui.Tvwmain->itemClicked(formula, 0);
    ParameterGrid::setCell(*ui.MSFlexGrid1, 2, ParameterGrid::InputColumn, QStringLiteral("4.25"));
    QCoreApplication::processEvents();

    int made = 0;
    for (auto _ : state) {
        ui.Command1->click();
        if (++made % ResultsKept == 0) {
            state.PauseTiming();
            ui.ListView1->clear();
            store.execute(QStringLiteral("delete * from ParaResult"));
            state.ResumeTiming();
        }
    }
    QCoreApplication::processEvents();
    if (!dialogs.shown.isEmpty())
        state.SkipWithError(("message box: " + dialogs.shown.constFirst().toStdString()).c_str());
    else if (made % ResultsKept != 0 && ui.ListView1->topLevelItemCount() != made % ResultsKept)
        state.SkipWithError("a click added no result");
    window.close();
}

BENCHMARK(calculateClick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->UseRealTime()
    ->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
