// Finding in a large library, keystroke by keystroke: reading the texts once, then each
// keystroke's search. Each takes the number of formulas as its first argument.
#include "benchlibrary.h"
#include "mainwindow/librarysearch.h"
#include "mainwindow/librarytree.h"
#include "store/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

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

BENCHMARK(readIndex)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(readIndexOnTree)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokes)->ArgsProduct({{10000}, {0, 1, 2, 3}})->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    QCoreApplication app(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
