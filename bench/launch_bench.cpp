// From launch to the main window on screen, as a whole process, beside the same for an empty Qt
// window: what start-up costs on top of what any Qt program here pays.
#include "benchlibrary.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

void launch(benchmark::State& state, const QString& argument)
{
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/launchprobe");
    for (auto _ : state) {
        QProcess process;
        process.start(probe, {argument});
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError("the probe did not show its window");
            break;
        }
    }
}

void emptyWindow(benchmark::State& state)
{
    launch(state, QStringLiteral("--empty"));
}

void calcora(benchmark::State& state)
{
    launch(state, benchLibraryDir(int(state.range(0))));
}

BENCHMARK(emptyWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(calcora)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    QCoreApplication app(argc, argv);
    // The probes draw nowhere unless told otherwise, as the other window benchmarks do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Made before the first measurement, so that no run includes building it.
    benchLibraryDir(1000);
    benchLibraryDir(10000);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
