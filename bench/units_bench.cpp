// What units cost: the conversion of a grid's inputs that Calculate adds, the check line of the
// formula editor at a keystroke, and calcora-cli check over a large library, as a process.
#include "benchlibrary.h"

#include "calc/calcengine.h"
#include "calc/unitcheck.h"
#include "calc/unitconversion.h"
#include "calc/units.h"
#include "store/formula.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

const Formula Beam = benchUnitsFormula();
const QList<NamedValue>& Parameters = Beam.parameters;

// Each input in a unit other than its parameter's, so that every row is converted.
const QStringList Inputs{"10000 N", "6000 mm", "210 GPa", "1943 cm⁴", "5 kN/m",
                         "0.000012 1/K", "313.15 K", "68 °F", "0.1 t", "32.17 ft/s²"};

QList<GridRow> grid(const QStringList& inputs)
{
    QList<GridRow> rows;
    for (qsizetype i = 0; i < Parameters.size(); ++i) {
        const NamedValue& p = Parameters.at(i);
        rows.append({p, inputs.at(i)});
    }
    return rows;
}

// What Calculate adds to a click: every input converted to its parameter's unit.
void gridWithUnits(benchmark::State& state)
{
    Units units;
    const QList<GridRow> rows = grid(Inputs);
    for (auto _ : state) {
        const UnitConversion::Inputs converted = UnitConversion::inputs(units, rows);
        if (!converted.refusal.isEmpty() || converted.conversions.size() != rows.size())
            state.SkipWithError(qPrintable(converted.refusal));
        benchmark::DoNotOptimize(converted);
    }
}
BENCHMARK(gridWithUnits)->Unit(benchmark::kMicrosecond);

// The same grid with bare numbers, as nearly every click has them.
void gridOfNumbers(benchmark::State& state)
{
    Units units;
    QStringList numbers;
    for (const NamedValue& parameter : Parameters)
        numbers << parameter.value;
    const QList<GridRow> rows = grid(numbers);
    for (auto _ : state)
        benchmark::DoNotOptimize(UnitConversion::inputs(units, rows));
}
BENCHMARK(gridOfNumbers)->Unit(benchmark::kMicrosecond);

// The first conversion of a run: the unit database read, each unit parsed once.
void firstGridWithUnits(benchmark::State& state)
{
    const QList<GridRow> rows = grid(Inputs);
    for (auto _ : state) {
        Units units;
        benchmark::DoNotOptimize(UnitConversion::inputs(units, rows));
    }
}
BENCHMARK(firstGridWithUnits)->Unit(benchmark::kMillisecond);

// The editor's check line after a keystroke: the expression changed, so the engine sets it up
// afresh, then computes it at the defaults and scaled.
void checkLine(benchmark::State& state)
{
    Units units;
    CalcEngine engine;
    QStringList expressions;
    for (int i = 1; i <= 16; ++i)
        expressions << Beam.expression + QStringLiteral("*%1/%1").arg(i);
    qsizetype next = 0;
    for (auto _ : state) {
        const UnitCheck::Outcome outcome = UnitCheck::check(units, engine, expressions.at(next), Beam.unit, Parameters);
        if (outcome.verdict != UnitCheck::Verdict::Agree)
            state.SkipWithError(qPrintable(outcome.text));
        next = (next + 1) % expressions.size();
    }
}
BENCHMARK(checkLine)->Unit(benchmark::kMicrosecond);

// calcora-cli check over a library of 10,000 formulas, from launch to exit.
void checkCommand(benchmark::State& state)
{
    const QString library = benchLibraryDir(int(state.range(0)));
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(CALCORA_CLI), {QStringLiteral("--library"), library, QStringLiteral("check")});
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError("calcora-cli check failed");
            break;
        }
    }
}
BENCHMARK(checkCommand)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    QCoreApplication app(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Made before the first measurement, so that no run includes building it.
    benchLibraryDir(10000);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
