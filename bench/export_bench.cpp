// "Output To Txt File" and "Output To Execl File" on a result list of 10,000 computations of
// a five-parameter formula, from the menu entry's click to the file closed.
#include "benchwindow.h"
#include "calc/computation.h"
#include "calc/resultlist.h"
#include "editor/formulas.h"
#include "scripteddesktop.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTime>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Computations = 10000;
const QString FormulaName = QStringLiteral("PlateStress");

Formula fiveParameters()
{
    return {FormulaName, QStringLiteral("sigma"), QStringLiteral("N/mm²"), QStringLiteral("k*q*b^2/t^2*f"),
            QStringLiteral("Bending stress of a supported plate"), QStringLiteral("3"),
            {{QStringLiteral("Coefficient"), QStringLiteral("k"), QStringLiteral("-"), QStringLiteral("0.287"), {}},
             {QStringLiteral("Pressure"), QStringLiteral("q"), QStringLiteral("N/mm²"), QStringLiteral("0.05"), {}},
             {QStringLiteral("Short side"), QStringLiteral("b"), QStringLiteral("mm"), QStringLiteral("600"), {}},
             {QStringLiteral("Thickness"), QStringLiteral("t"), QStringLiteral("mm"), QStringLiteral("8"), {}},
             {QStringLiteral("Safety factor"), QStringLiteral("f"), QStringLiteral("-"), QStringLiteral("1.5"), {}}}};
}

QString newLibrary(const QTemporaryDir& directory)
{
    Store::createLibrary(directory.path());
    return directory.path();
}

// A fresh library whose one formula has been computed Computations times, each computation in
// the window's result list, with a short side and a thickness of its own.
struct ExportBench
{
    ExportBench()
        : store(newLibrary(directory))
    {
        const Formula formula = fiveParameters();
        Formulas::add(store, formula, QString());
        window = std::make_unique<form1>(store, dialogs);
        window->setDesktop(&desktop);
        dialogs.saveTo = directory.filePath(QStringLiteral("results.txt"));
        Store::Transaction transaction(store);
        for (int i = 0; i < Computations; ++i) {
            QList<GridRow> parameters;
            for (const NamedValue& parameter : formula.parameters)
                parameters.append({parameter, parameter.value});
            parameters[2].input = QString::number(400 + i % 500);
            parameters[3].input = QString::number(6 + i % 20);
            const auto row = Computation::record(store, FormulaName, formula.expression, parameters, 1000.0 / (i + 1),
                                                 QTime(8, 0).addSecs(i));
            ResultList::addRow(*window->controls().ListView1, *row);
        }
        transaction.commit();
    }

    QTemporaryDir directory;
    Store store;
    SilentDialogs dialogs;
    ScriptedDesktop desktop;
    std::unique_ptr<form1> window;
};

void exportText(benchmark::State& state)
{
    ExportBench bench;
    if (!showOrSkip(state, *bench.window))
        return;
    for (auto _ : state)
        bench.window->controls().Routtxt->trigger();
    if (!reportProblems(state, bench.dialogs) && QFileInfo(bench.dialogs.saveTo).size() == 0)
        state.SkipWithError("no text file written");
}

void exportWorkbook(benchmark::State& state)
{
    ExportBench bench;
    if (!showOrSkip(state, *bench.window))
        return;
    for (auto _ : state) {
        bench.window->controls().Routexcel->trigger();
        state.PauseTiming();
        for (const QString& workbook : bench.desktop.opened)
            QFileInfo(workbook).dir().removeRecursively();
        const bool written = bench.desktop.opened.size() == 1;
        bench.desktop.opened.clear();
        state.ResumeTiming();
        if (!written) {
            state.SkipWithError("no workbook made");
            break;
        }
    }
    reportProblems(state, bench.dialogs);
}

BENCHMARK(exportText)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(exportWorkbook)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
