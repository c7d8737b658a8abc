// The main window on a large library: start-up, shutdown, Delete All, and a click on a formula
// and on a catalog in the tree; start-up and Delete All also on a library of the older layout;
// a click on long texts. Each takes the number of formulas, or the texts' length, as its first
// argument.
#include "benchlibrary.h"
#include "benchwindow.h"
#include "calc/parametergrid.h"
#include "editor/formulas.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/deletions.h"
#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "ui_form1.h"
#include "variables/variables.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QEvent>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QTreeWidgetItem* node(form1& window, const QString& caption)
{
    return window.tree().find(caption);
}

// The start on the library in directory, until the window shows the tree: true when it did.
bool startOn(benchmark::State& state, const QString& directory, int formulas)
{
    SilentDialogs dialogs;
    auto store = std::make_unique<Store>(directory);
    auto window = std::make_unique<form1>(*store, dialogs);
    const bool exposed = showExposed(*window);

    state.PauseTiming();
    const bool loaded = node(*window, benchFormulaName(formulas)) != nullptr;
    window.reset();
    store.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    if (!exposed || !loaded) {
        state.SkipWithError(!exposed ? "window never exposed" : "tree lacks the last formula");
        return false;
    }
    return !reportProblems(state, dialogs);
}

void startUp(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    const QString directory = benchLibraryDir(formulas);
    for (auto _ : state) {
        if (!startOn(state, directory, formulas))
            break;
    }
}

// A library of the older layout: the first start on it ("/0"), and a later one ("/1"), on a
// copy opened once before.
void startUpOlderLayout(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    const bool openedBefore = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir copy;
        QFile::copy(Store::filePath(benchOlderLibraryDir(formulas)), Store::filePath(copy.path()));
        if (openedBefore)
            Store(copy.path(), Store::Access::ReadWrite);
        state.ResumeTiming();
        if (!startOn(state, copy.path(), formulas))
            break;
    }
}

// Leaves the history a session of work would: every tenth formula computed a few times, with
// its parameters in ParaResult.
void leaveHistory(Store& store, int formulas)
{
    Store::Transaction transaction(store);
    for (int number = 1; number <= formulas; number += 10) {
        const QString name = benchFormulaName(number);
        store.execute(QStringLiteral("update ") + sqlName(name) + QStringLiteral(" set calcount='3' where ispara = 0"));
        for (int run = 1; run <= 3; ++run) {
            for (const char* parameter : {"a", "b", "c"}) {
                store.execute(QStringLiteral("insert into ParaResult (Fmuname,name,paraname,paravalue,unit,Hisid,"
                                             "defparavalue) values (?,?,?,?,'m',?,'1')"),
                              {name, name, QLatin1String(parameter), QString::number(run * 1.5), QString::number(run)});
            }
        }
    }
    transaction.commit();
}

// The counters leaveHistory raised, and ParaResult, are back at nothing.
bool historyReset(Store& store, int formulas)
{
    if (store.first(QStringLiteral("select * from ParaResult")))
        return false;
    for (int number = 1; number <= formulas; number += 10) {
        const auto row = store.first(QStringLiteral("select calcount from ") + benchFormulaName(number)
                                     + QStringLiteral(" where ispara = 0"));
        if (!row || row->value(0).toString() != QLatin1String("0"))
            return false;
    }
    return true;
}

// Notes when the window it watches is hidden: what the user sees of closing.
class HideWatch : public QObject
{
public:
    explicit HideWatch(QWidget& window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }
    void start() { clock_.start(); }
    double hiddenAfterMs() const { return hiddenAfterMs_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            hiddenAfterMs_ = double(clock_.nsecsElapsed()) / 1e6;
        return false;
    }

private:
    QElapsedTimer clock_;
    double hiddenAfterMs_ = 0;
};

// The whole close, the history reset included; "hidden_ms" is how long the window stays on
// screen after the user closed it.
void shutDown(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    BenchWindow bench(formulas);
    auto* watch = new HideWatch(bench.window);
    double hidden = 0;
    for (auto _ : state) {
        state.PauseTiming();
        leaveHistory(bench.store, formulas);
        const bool shown = showOrSkip(state, bench.window);
        state.ResumeTiming();
        if (!shown)
            break;
        watch->start();
        bench.window.close();
        hidden += watch->hiddenAfterMs();
    }
    state.counters["hidden_ms"] = benchmark::Counter(hidden, benchmark::Counter::kAvgIterations);
    if (!reportProblems(state, bench.dialogs) && !historyReset(bench.store, formulas))
        state.SkipWithError("close() left counters or results behind");
}

// Clicks alternately on two nodes, so that every click changes what the window shows, as
// moving from one node to another does.
void clickAlternately(benchmark::State& state, form1& window, QTreeWidgetItem* first, QTreeWidgetItem* second)
{
    const auto click = [&window](QTreeWidgetItem* item) { clickTreeNode(window, item); };
    // The first click on a node inside a collapsed catalog also expands its parents: done once,
    // outside the measurement, as the user has the node on screen before clicking it.
    click(first);
    click(second);
    QCoreApplication::processEvents();
    bool odd = false;
    for (auto _ : state) {
        click((odd = !odd) ? first : second);
    }
    QCoreApplication::processEvents();
}

void clickFormula(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    BenchWindow bench(formulas);
    form1& window = bench.window;
    if (!showOrSkip(state, window))
        return;
    QTreeWidgetItem* first = node(window, benchFormulaName(formulas / 3));
    QTreeWidgetItem* second = node(window, benchFormulaName(2 * formulas / 3));
    if (!first || !second) {
        state.SkipWithError("formula nodes missing");
        return;
    }
    clickAlternately(state, window, first, second);
    if (reportProblems(state, bench.dialogs))
        return;
    if (window.controls().Text3->toPlainText() != QLatin1String("a*b+c")
        || ParameterGrid::cell(*window.controls().MSFlexGrid1, 3, ParameterGrid::SymbolColumn) != QLatin1String("c"))
        state.SkipWithError("the click did not show the formula");
}

void clickCatalog(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    BenchWindow bench(formulas);
    form1& window = bench.window;
    if (!showOrSkip(state, window))
        return;
    QTreeWidgetItem* first = node(window, benchSubCatalogName(5, 2));
    QTreeWidgetItem* second = node(window, benchSubCatalogName(15, 4));
    if (!first || !second) {
        state.SkipWithError("catalog nodes missing");
        return;
    }
    clickAlternately(state, window, first, second);
    if (reportProblems(state, bench.dialogs))
        return;
    if (window.controls().ListView2->topLevelItemCount() != BenchVariablesPerCatalog)
        state.SkipWithError("the click did not list the catalog's variables");
}

// A library made by hand with texts of the argument's length and no blank in them: clicks on a
// formula with such a description and a parameter described so, and on a catalog with such a
// variable.
void clickLongTexts(benchmark::State& state)
{
    const QString text(int(state.range(0)), QLatin1Char('x'));
    QTemporaryDir directory;
    Store::createLibrary(directory.path());
    {
        Store store(directory.path());
        Formulas::add(store, {"Long", "y", "m", "2*x", text, "3", {{"Length", "x", "m", "1", text}}}, QString());
        Catalogs::add(store, "Longs", QString(), QString());
        Variables::add(store, "Longs", {text, "v", "m", "1", text});
    }
    BenchWindow bench(directory.path());
    form1& window = bench.window;
    if (!showOrSkip(state, window))
        return;
    clickAlternately(state, window, node(window, "Long"), node(window, "Longs"));
    reportProblems(state, bench.dialogs);
}

// "Delete All" on a copy of the large library (of the older layout with "/1"): every catalog and
// formula with its table, in one transaction, and the tree back to its root.
void deleteAll(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    const QString library = state.range(1) != 0 ? benchOlderLibraryDir(formulas) : benchLibraryDir(formulas);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir copy;
        QFile::copy(Store::filePath(library), Store::filePath(copy.path()));
        Store store(copy.path());
        SilentDialogs dialogs;
        form1 window(store, dialogs);
        state.ResumeTiming();
        Deletions::deleteAll(store);
        window.tree().reset(window.controls().Label24->text());
        state.PauseTiming();
        const bool emptied = !store.first(QStringLiteral("select * from CataConstruct"))
            && !store.tableExists(benchFormulaName(formulas));
        state.ResumeTiming();
        if (!emptied) {
            state.SkipWithError("formulas left behind");
            break;
        }
    }
}

// Whole-window timings are wall-clock: they include waiting for the disk and the event loop.
BENCHMARK(startUp)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(shutDown)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(startUpOlderLayout)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(deleteAll)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(clickFormula)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(clickCatalog)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(clickLongTexts)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
