// The sweep window: from a press of Compute until the table and the chart of the new points
// have been painted. The first argument is the number of points, the second the number of
// curves they are drawn as.
#include "benchlibrary.h"
#include "benchwindow.h"
#include "calc/chartdrawing.h"
#include "calc/frmsweep.h"
#include "calc/sweeprangeboxes.h"
#include "store/formula.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

// Notes when the widget it watches paints.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget& widget)
        : QObject(&widget)
    {
        widget.installEventFilter(this);
    }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

void setRange(Frmsweep& window, const char* range, const char* symbol, const QString& to, const QString& points)
{
    auto* boxes = window.findChild<SweepRangeBoxes*>(range);
    auto* parameter = boxes->findChild<QComboBox*>(QStringLiteral("ParameterBox"));
    parameter->setCurrentIndex(parameter->findData(QString::fromLatin1(symbol)));
    boxes->setRange(QStringLiteral("0"), to, SweepRangeBoxes::Spacing::Points, points);
}

void computeAndShow(benchmark::State& state)
{
    const auto points = int(state.range(0));
    const auto curves = int(state.range(1));
    Store store(benchLibraryDir(1000), Store::Access::ReadOnly);
    SilentDialogs dialogs;
    QString problem;
    const ChartDrawing* charts = ChartDrawing::load(problem);
    if (!charts) {
        state.SkipWithError(("the charts module did not load: " + problem).toStdString().c_str());
        return;
    }
    // r = a*b+c
    Frmsweep window(*Formula::read(store, benchFormulaName(1)), {}, dialogs, *charts, QStringLiteral("Calcora"));
    setRange(window, "VaryRange", "a", QStringLiteral("1"), QString::number(points / curves));
    window.findChild<QGroupBox*>(QStringLiteral("CurveGroup"))->setChecked(curves > 1);
    if (curves > 1)
        setRange(window, "CurveRange", "b", QString::number(curves - 1), QString::number(curves));
    if (!showOrSkip(state, window))
        return;
    QPushButton& compute = *window.findChild<QPushButton*>(QStringLiteral("ComputeButton"));
    QTableView& table = *window.findChild<QTableView*>(QStringLiteral("ValuesTable"));
    QWidget& chart = *window.findChild<QWidget*>(QStringLiteral("ChartArea"))->findChild<QAbstractScrollArea*>()->viewport();

    for (auto _ : state) {
        PaintWatch tablePainted(*table.viewport());
        PaintWatch chartPainted(chart);
        compute.click();
        const QDeadlineTimer deadline(10000);
        while (!(tablePainted.painted && chartPainted.painted) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (deadline.hasExpired()) {
            state.SkipWithError("the table or the chart was never painted");
            break;
        }
    }
    if (!reportProblems(state, dialogs) && table.model()->rowCount() != points)
        state.SkipWithError("the table lacks points");
}

BENCHMARK(computeAndShow)->Args({10000, 1})->Args({10000, 10})->Args({100000, 1})->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
