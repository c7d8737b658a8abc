// Finding in a large library, keystroke by keystroke: reading the texts once, then each
// keystroke's search, alone and in the window's find box with the tree it narrows. Each takes
// the number of formulas as its first argument.
#include "benchlibrary.h"
#include "benchwindow.h"
#include "mainwindow/librarysearch.h"
#include "mainwindow/librarytree.h"
#include "store/store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// What a user types, one keystroke after another; a text shorter than the one before it is a
// Backspace.
const QList<QStringList> Typed{
    {"F", "F9", "F99", "F999", "F9999", "F999", "F99"},  // a name: the first key finds every formula
    {"a", "a*", "a*b", "a*b+", "a*b+c"},                 // an expression every formula has
    {"n", "nu", "num", "numb", "number 7", "number 77"}, // a description
    {"S", "Su", "Sub", "Sub7", "Sub7x", "Sub7x3"},       // a catalog's name
};

// Reading what is searched, once: at the first use of the find box.
void readIndex(benchmark::State& state)
{
    Store store(benchLibraryDir(int(state.range(0))), Store::Access::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(LibrarySearch::read(store));
}

// The same beside the window's start, on the tree the window reads anyway.
void readIndexOnTree(benchmark::State& state)
{
    Store store(benchLibraryDir(int(state.range(0))), Store::Access::ReadOnly);
    const LibraryTree tree = LibraryTree::read(store);
    for (auto _ : state)
        benchmark::DoNotOptimize(LibrarySearch::read(store, tree));
}

// Each keystroke of a typed sequence (the second argument): the time shown is a keystroke's
// on average, slowest_ms the slowest keystroke of all runs.
void keystrokes(benchmark::State& state)
{
    Store store(benchLibraryDir(int(state.range(0))), Store::Access::ReadOnly);
    LibrarySearch search = LibrarySearch::read(store);
    const QStringList& typed = Typed.at(state.range(1));
    qint64 slowest = 0;
    qsizetype matches = 0;
    for (auto _ : state) {
        // The box as it was left: the first keystroke searches everything.
        search.find(QStringLiteral("\u2400"));
        qint64 all = 0;
        for (const QString& text : typed) {
            QElapsedTimer timer;
            timer.start();
            const LibrarySearch::Found found = search.find(text);
            const qint64 took = timer.nsecsElapsed();
            all += took;
            slowest = std::max(slowest, took);
            matches = std::max(matches, found.matches.size());
        }
        state.SetIterationTime(double(all) / 1e9 / double(typed.size()));
    }
    state.counters["slowest_ms"] = double(slowest) / 1e6;
    state.counters["matches"] = double(matches);
    state.SetLabel(typed.constLast().toStdString());
}

// The same typing into the find box of a window just opened, each keystroke until the tree is
// laid out and painted again: the catalogs the tree has not made yet are made as the search
// needs them. focus_ms is Ctrl+F, which reads the texts; slowest_ms the slowest keystroke.
void windowKeystrokes(benchmark::State& state)
{
    const int formulas = int(state.range(0));
    const QStringList& typed = Typed.at(state.range(1));
    qint64 slowest = 0;
    double focusing = 0;
    for (auto _ : state) {
        auto bench = std::make_unique<BenchWindow>(formulas);
        if (!showOrSkip(state, bench->window) || !waitForIntegrityCheck(state, bench->window))
            return;
        QLineEdit& box = *bench->window.controls().FindBox;
        QTreeWidget& tree = *bench->window.controls().Tvwmain;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&tree, Qt::Key_F, Qt::ControlModifier);
        focusing += double(timer.nsecsElapsed()) / 1e6;
        if (!box.hasFocus()) {
            state.SkipWithError("Ctrl+F left the find box without the keyboard");
            return;
        }
        qint64 all = 0;
        for (const QString& text : typed) {
            const QString before = box.text();
            QKeyEvent key(QEvent::KeyPress, text.startsWith(before) ? 0 : Qt::Key_Backspace, Qt::NoModifier,
                          text.startsWith(before) ? text.mid(before.size()) : QString());
            timer.restart();
            QApplication::sendEvent(&box, &key);
            QCoreApplication::processEvents();
            tree.viewport()->repaint();
            const qint64 took = timer.nsecsElapsed();
            all += took;
            slowest = std::max(slowest, took);
            if (box.text() != text) {
                state.SkipWithError("the find box did not take the keystroke");
                return;
            }
        }
        state.SetIterationTime(double(all) / 1e9 / double(typed.size()));
        if (reportProblems(state, bench->dialogs))
            return;
    }
    state.counters["slowest_ms"] = double(slowest) / 1e6;
    state.counters["focus_ms"] = benchmark::Counter(focusing, benchmark::Counter::kAvgIterations);
    state.SetLabel(typed.constLast().toStdString());
}

BENCHMARK(readIndex)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(readIndexOnTree)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokes)->ArgsProduct({{10000}, {0, 1, 2, 3}})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(windowKeystrokes)->ArgsProduct({{10000}, {0, 1, 2, 3}})->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
