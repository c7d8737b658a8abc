#include "calc/calcengine.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

// A five-parameter formula in the shape of a beam's bending stress with a safety factor.
const char* const Formula = "(f*l/4)*(h/2)/(b*h^3/12)*sqrt(1+(s/100)^2)";

// Five grid rows with values that differ from row to row, so no evaluation repeats the last one.
QStringList parameterStrings()
{
    QStringList strings;
    for (int i = 0; i < 16; ++i) {
        strings << QStringLiteral("#f||%1#l||2.5#h||0.%2#b||0.08#s||%3##")
                       .arg(1000 + 37 * i)
                       .arg(12 + i)
                       .arg(i);
    }
    return strings;
}

// What each Calculate click does: a new engine sets up the parser and evaluates once.
// Evaluates the formula once per iteration, the values changing each time, on the engine
// engineFor gives.
template<typename EngineFor>
void evaluateEachIteration(benchmark::State& state, EngineFor engineFor)
{
    const QString expression = QString::fromLatin1(Formula);
    const QStringList parameters = parameterStrings();
    qsizetype next = 0;
    for (auto _ : state) {
        double result = 0;
        int error = 0;
        engineFor().Evaluate(expression, parameters.at(next), result, error);
        benchmark::DoNotOptimize(result);
        if (error != CalcEngine::NoError)
            state.SkipWithError("evaluation failed");
        next = (next + 1) % parameters.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void freshEngineEachTime(benchmark::State& state)
{
    evaluateEachIteration(state, [] { return CalcEngine(); });
}
BENCHMARK(freshEngineEachTime);

// One engine whose parser is already set up: each call reads new values and evaluates.
void engineAlreadySetUp(benchmark::State& state)
{
    CalcEngine engine;
    double result = 0;
    int error = 0;
    engine.Evaluate(QString::fromLatin1(Formula), parameterStrings().first(), result, error);
    evaluateEachIteration(state, [&engine]() -> CalcEngine& { return engine; });
}
BENCHMARK(engineAlreadySetUp);

// A sweep's inner loop: the expression compiled once, each point's values bound directly, one
// of them stepping as a swept parameter does. Points per second is the figure to read.
void compiledSweepPoint(benchmark::State& state)
{
    CalcEngine engine;
    if (engine.compile(QString::fromLatin1(Formula), {"f", "l", "h", "b", "s"}) != CalcEngine::NoError)
        state.SkipWithError("compile failed");
    std::vector<double> values{1000, 2.5, 0.12, 0.08, 5};
    for (auto _ : state) {
        values[0] += 1;
        benchmark::DoNotOptimize(engine.evaluate(values));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(compiledSweepPoint);

} // namespace

BENCHMARK_MAIN();
