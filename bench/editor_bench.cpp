// The formula editor on a large library: opening it on a formula deep in the tree, saving a
// new formula, and a change with a new name. Each takes the number of formulas as its argument;
// the saves work on a copy of the library, which they change.
#include "benchlibrary.h"
#include "benchwindow.h"
#include "editor/frmaddnewfun.h"
#include "mainwindow/form1.h"
#include "store/formula.h"
#include "ui_form1.h"
#include "variables/listrow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int NewParameters = 10;

// Clicks the node, outside the measurement, once the start-up check of the file is done.
bool selectNode(benchmark::State& state, form1& window, const QString& caption)
{
    QTreeWidgetItem* node = window.tree().find(caption);
    if (!node) {
        state.SkipWithError("node missing");
        return false;
    }
    if (!waitForIntegrityCheck(state, window))
        return false;
    clickTreeNode(window, node);
    QCoreApplication::processEvents();
    return true;
}

Frmaddnewfun* openedEditor(form1& window)
{
    return window.findChild<Frmaddnewfun*>();
}

// Triggers entry and returns the editor it opened, marking the benchmark failed when none did.
Frmaddnewfun* openEditor(benchmark::State& state, form1& window, QAction* entry)
{
    entry->trigger();
    Frmaddnewfun* editor = openedEditor(window);
    if (!editor)
        state.SkipWithError("the editor did not open");
    return editor;
}

void setText(QWidget& editor, const char* box, const QString& text)
{
    editor.findChild<QLineEdit*>(QLatin1String(box))->setText(text);
}

// Closes it and lets it go, as the next opening finds no editor left.
void dismiss(Frmaddnewfun* editor)
{
    if (editor && editor->isVisible())
        editor->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void openDeep(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    BenchWindow bench(formulas);
    form1& window = bench.window;
    if (!showOrSkip(state, window) || !selectNode(state, window, benchFormulaName(formulas)))
        return;
    for (auto _ : state) {
        Frmaddnewfun* editor = openEditor(state, window, window.controls().mmodfun);
        if (!editor || !showOrSkip(state, *editor))
            break;
        state.PauseTiming();
        const int listed = editor->findChild<QTreeWidget*>(QStringLiteral("ListView2"))->topLevelItemCount();
        dismiss(editor);
        state.ResumeTiming();
        if (listed != (BenchDeepLevels - 1) * BenchVariablesPerCatalog + BenchDeepVariables) {
            state.SkipWithError("the editor did not list the chain's variables");
            break;
        }
    }
    reportProblems(state, bench.dialogs);
}

// Times OK in editors opened from entry: prepare (untimed) fills each and returns what the tree
// then shows, which saved (untimed) checks.
void timeOk(benchmark::State& state, BenchWindow& bench, QAction* entry, const std::function<QString(QWidget&)>& prepare,
            const std::function<bool(const QString&)>& saved)
{
    for (auto _ : state) {
        state.PauseTiming();
        Frmaddnewfun* editor = openEditor(state, bench.window, entry);
        if (!editor)
            break;
        const QString shown = prepare(*editor);
        state.ResumeTiming();

        editor->findChild<QPushButton*>(QStringLiteral("Command1"))->click();

        state.PauseTiming();
        const bool done = saved(shown) && bench.window.isEnabled();
        dismiss(editor);
        state.ResumeTiming();
        if (!done) {
            state.SkipWithError("the tree does not show what was saved");
            break;
        }
    }
    reportProblems(state, bench.dialogs);
}

void saveNew(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    const QTemporaryDir scratch;
    BenchWindow bench(copyBenchLibrary(formulas, scratch.path()));
    form1& window = bench.window;
    if (!showOrSkip(state, window) || !selectNode(state, window, benchSubCatalogName(10, 3)))
        return;
    QStringList symbols;
    for (int i = 1; i <= NewParameters; ++i)
        symbols << QStringLiteral("p%1").arg(i);
    int number = 0;
    const auto prepare = [&](QWidget& editor) {
        const QString name = QStringLiteral("New%1").arg(++number);
        setText(editor, "Text1", name);
        setText(editor, "Text2", QStringLiteral("s"));
        setText(editor, "Text3", QStringLiteral("m"));
        setText(editor, "Text4", symbols.join(QLatin1Char('+')));
        auto* parameters = editor.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        for (const QString& symbol : symbols)
            addListRow(*parameters, {QStringLiteral("Part ") + symbol, symbol, QStringLiteral("m"), QStringLiteral("1.5"), {}});
        return name;
    };
    timeOk(state, bench, window.controls().mnewfun, prepare, [&](const QString& name) { return window.tree().find(name); });
}

void modifyWithRename(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    const QTemporaryDir scratch;
    BenchWindow bench(copyBenchLibrary(formulas, scratch.path()));
    form1& window = bench.window;
    const QStringList names{benchFormulaName(formulas / 2), QStringLiteral("Renamed")};
    if (!showOrSkip(state, window) || !selectNode(state, window, names.at(0)))
        return;
    int renames = 0;
    const auto prepare = [&](QWidget& editor) {
        const QString name = names.at(++renames % 2);
        setText(editor, "Text1", name);
        return name;
    };
    timeOk(state, bench, window.controls().mmodfun, prepare, [&](const QString& name) {
        const QTreeWidgetItem* current = window.controls().Tvwmain->currentItem();
        return current && current->text(0) == name && window.tree().find(name) == current;
    });
}

// A keystroke in the expression of a new ten-parameter formula in engineers' units: the
// engine's check of the expression and the units line under it, as the editor redoes them.
void expressionKeystroke(benchmark::State& state)
{
    BenchWindow bench(int(state.range(0)));
    form1& window = bench.window;
    if (!showOrSkip(state, window) || !selectNode(state, window, benchCatalogName(1)))
        return;
    Frmaddnewfun* editor = openEditor(state, window, window.controls().mnewfun);
    if (!editor)
        return;
    const Formula beam = benchUnitsFormula();
    setText(*editor, "Text3", beam.unit);
    auto* parameters = editor->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    for (const NamedValue& parameter : beam.parameters)
        addListRow(*parameters, parameter);
    // Each text differs from the one before, as after a keystroke, and the units agree in all.
    QStringList typed;
    for (int i = 1; i <= 16; ++i)
        typed << beam.expression + QStringLiteral("*%1/%1").arg(i);
    auto* expression = editor->findChild<QLineEdit*>(QStringLiteral("Text4"));
    qsizetype next = 0;
    for (auto _ : state) {
        expression->setText(typed.at(next));
        next = (next + 1) % typed.size();
    }
    if (editor->findChild<QLabel*>(QStringLiteral("UnitsCheck"))->text() != QStringLiteral("Units agree"))
        state.SkipWithError("the units line does not say the units agree");
    dismiss(editor);
    reportProblems(state, bench.dialogs);
}

// Whole-window timings are wall-clock: they include waiting for the disk and the event loop.
BENCHMARK(openDeep)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(saveNew)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(expressionKeystroke)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(modifyWithRename)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
