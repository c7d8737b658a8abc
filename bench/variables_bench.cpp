// The variable list and dialog on the 10,000-formula library, at the bottom of its deep branch:
// a click that lists the catalog's variables, and adding, changing and deleting one of them,
// each measured from the user's last action (OK, the Delete key) until the list shows it.
#include "benchlibrary.h"
#include "benchwindow.h"
#include "store/sqltext.h"
#include "variables/frmaddvar.h"
#include "variables/listrow.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int Formulas = 10000;

// Symbol, name, value, unit, description, as the list shows them.
const QStringList Added{QStringLiteral("benchAdded"), QStringLiteral("Added by the benchmark"), QStringLiteral("1.5"),
                        QStringLiteral("m"), QStringLiteral("Deleted again")};

// The window with the deepest catalog of the branch selected and its variables listed.
QTreeWidgetItem* showDeepCatalog(benchmark::State& state, BenchWindow& bench)
{
    if (!showOrSkip(state, bench.window) || !waitForIntegrityCheck(state, bench.window))
        return nullptr;
    QTreeWidgetItem* node = bench.window.tree().find(benchDeepCatalogName(BenchDeepLevels));
    if (!node) {
        state.SkipWithError("the deep catalog is missing");
        return nullptr;
    }
    clickTreeNode(bench.window, node);
    return node;
}

QTreeWidget& variableList(BenchWindow& bench)
{
    return *bench.window.controls().ListView2;
}

// A dialog loaded and typed into, not yet confirmed; entry: the list entry to change, if any.
std::unique_ptr<Frmaddvar> typedDialog(BenchWindow& bench, const QStringList& fields, QTreeWidgetItem* entry = nullptr)
{
    auto dialog = std::make_unique<Frmaddvar>(bench.store, bench.window.messages(), variableList(bench),
                                              benchDeepCatalogName(BenchDeepLevels), &bench.window);
    if (entry)
        dialog->setModify(entry);
    int i = 0;
    for (const char* box : {"Text1", "Text2", "Text4", "Text3"})
        dialog->findChild<QLineEdit*>(QLatin1String(box))->setText(fields.at(i++));
    dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text5"))->setPlainText(fields.at(i));
    return dialog;
}

void pressOk(Frmaddvar& dialog)
{
    dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
}

void pressDelete(BenchWindow& bench, QTreeWidgetItem* entry)
{
    variableList(bench).setCurrentItem(entry);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(&variableList(bench), &press);
}

QTreeWidgetItem* lastEntry(BenchWindow& bench)
{
    return variableList(bench).topLevelItem(variableList(bench).topLevelItemCount() - 1);
}

// The list holds the catalog's variables, and the library as many.
bool listAsBuilt(BenchWindow& bench)
{
    const auto table = Variables::tableOf(bench.store, benchDeepCatalogName(BenchDeepLevels));
    return variableList(bench).topLevelItemCount() == BenchDeepVariables && table
        && bench.store.query(QStringLiteral("select * from ") + sqlName(*table)).size() == BenchDeepVariables;
}

void finish(benchmark::State& state, BenchWindow& bench)
{
    if (!reportProblems(state, bench.dialogs) && !listAsBuilt(bench))
        state.SkipWithError("the list or the library is not as built");
}

void clickDeepCatalog(benchmark::State& state)
{
    BenchWindow bench(Formulas);
    QTreeWidgetItem* node = showDeepCatalog(state, bench);
    if (!node)
        return;
    QCoreApplication::processEvents();
    // Each click empties the list and fills it again from the library.
    for (auto _ : state)
        clickTreeNode(bench.window, node);
    finish(state, bench);
}

// One command measured per iteration: prepare (typing, say) and undo (which leaves the library
// as built) run untimed; shown tells whether the list showed the command's effect.
struct Command
{
    std::function<void()> prepare;
    std::function<void()> run;
    std::function<bool()> shown;
    std::function<void()> undo;
};

void measure(benchmark::State& state, BenchWindow& bench, const Command& command)
{
    for (auto _ : state) {
        state.PauseTiming();
        command.prepare();
        state.ResumeTiming();
        command.run();
        state.PauseTiming();
        const bool shown = command.shown();
        command.undo();
        state.ResumeTiming();
        if (!shown) {
            state.SkipWithError("the list did not show the command's effect");
            break;
        }
    }
    finish(state, bench);
}

void addVariable(benchmark::State& state)
{
    BenchWindow bench(Formulas);
    bench.dialogs.confirm = true;
    if (!showDeepCatalog(state, bench))
        return;
    std::unique_ptr<Frmaddvar> dialog;
    measure(state, bench,
            {[&] { dialog = typedDialog(bench, Added); }, [&] { pressOk(*dialog); },
             [&] { return lastEntry(bench)->text(0) == Added.at(0); }, [&] { pressDelete(bench, lastEntry(bench)); }});
}

void modifyVariable(benchmark::State& state)
{
    BenchWindow bench(Formulas);
    if (!showDeepCatalog(state, bench))
        return;
    QTreeWidgetItem* entry = lastEntry(bench);
    const QStringList original = listRow(*entry).listFields();
    QStringList changed = original;
    // A new symbol too, so that the other entries are searched for it.
    changed[0] += QLatin1Char('x');
    changed[2] = QStringLiteral("2.5");
    std::unique_ptr<Frmaddvar> dialog;
    measure(state, bench,
            {[&] { dialog = typedDialog(bench, changed, entry); }, [&] { pressOk(*dialog); },
             [&] { return listRow(*entry).listFields() == changed; }, [&] { pressOk(*typedDialog(bench, original, entry)); }});
}

void deleteVariable(benchmark::State& state)
{
    BenchWindow bench(Formulas);
    bench.dialogs.confirm = true;
    if (!showDeepCatalog(state, bench))
        return;
    QTreeWidgetItem* added = nullptr;
    measure(state, bench,
            {[&] {
                 pressOk(*typedDialog(bench, Added));
                 added = lastEntry(bench);
             },
             [&] { pressDelete(bench, added); },
             [&] { return variableList(bench).topLevelItemCount() == BenchDeepVariables; }, [] {}});
}

// The floor under every change: one statement written and committed, which waits for the disk
// to confirm the write.
void commitOneWrite(benchmark::State& state)
{
    BenchWindow bench(Formulas);
    if (!showDeepCatalog(state, bench))
        return;
    const QString table = sqlName(*Variables::tableOf(bench.store, benchDeepCatalogName(BenchDeepLevels)));
    const QString symbol = lastEntry(bench)->text(0);
    const QString unit = lastEntry(bench)->text(3);
    bool changed = false;
    // The unit changes back and forth: a row written unchanged costs SQLite no write at all.
    for (auto _ : state) {
        changed = !changed;
        Store::Transaction transaction(bench.store);
        bench.store.execute(QStringLiteral("update ") + table + QStringLiteral(" set unit=? where varname=?"),
                            {changed ? unit + QLatin1Char('2') : unit, symbol});
        transaction.commit();
    }
    if (changed)
        bench.store.execute(QStringLiteral("update ") + table + QStringLiteral(" set unit=? where varname=?"), {unit, symbol});
    finish(state, bench);
}

BENCHMARK(clickDeepCatalog)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(addVariable)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(modifyVariable)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(deleteVariable)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(commitOneWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
