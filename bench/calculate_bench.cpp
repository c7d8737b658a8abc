// A "Calculate" click on a large library: the engine, the counter update, the history rows and
// the new row of the result list, as the user's click runs them; with bare numbers, and with an
// input in a unit the click converts.
#include "benchlibrary.h"
#include "benchwindow.h"
#include "calc/parametergrid.h"
#include "mainwindow/form1.h"
#include "store/store.h"
#include "ui_form1.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

// A session makes some dozens of computations, not thousands: the list and the history are
// emptied this often, outside the measurement.
constexpr int ResultsKept = 50;

void calculateClick(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    BenchWindow bench(formulas);
    form1& window = bench.window;
    if (!showOrSkip(state, window))
        return;
    const Ui::form1& ui = window.controls();
    QTreeWidgetItem* formula = window.tree().find(benchFormulaName(2 * formulas / 3));
    if (!formula) {
        state.SkipWithError("formula node missing");
        return;
    }
    ui.Tvwmain->setCurrentItem(formula);
    emit ui.Tvwmain->itemClicked(formula, 0);
    ParameterGrid::setCell(*ui.MSFlexGrid1, 2, ParameterGrid::InputColumn, QStringLiteral("4.25"));
    if (state.range(1) != 0)
        ParameterGrid::setCell(*ui.MSFlexGrid1, 1, ParameterGrid::InputColumn, QStringLiteral("250 cm"));
    QCoreApplication::processEvents();

    int made = 0;
    for (auto _ : state) {
        ui.Command1->click();
        if (++made % ResultsKept == 0) {
            state.PauseTiming();
            ui.ListView1->clear();
            bench.store.execute(QStringLiteral("delete * from ParaResult"));
            state.ResumeTiming();
        }
    }
    QCoreApplication::processEvents();
    if (!reportProblems(state, bench.dialogs)
        && made % ResultsKept != 0 && ui.ListView1->topLevelItemCount() != made % ResultsKept)
        state.SkipWithError("a click added no result");
    window.close();
}

BENCHMARK(calculateClick)->ArgsProduct({{1000, 10000}, {0, 1}})->ArgNames({"formulas", "units"})->Unit(benchmark::kMicrosecond)->UseRealTime()
    ->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
