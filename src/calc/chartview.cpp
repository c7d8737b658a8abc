#include "calc/chartdrawing.h"
#include "calc/sweepchart.h"

#include <QChart>
#include <QChartView>

namespace {

QWidget* makeChartView(QWidget* parent)
{
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void showChart(QWidget* view, const SweepChart& chart)
{
    auto* chartView = static_cast<QChartView*>(view);
    // The view lets go of the chart it showed without deleting it.
    QChart* shown = chartView->chart();
    chartView->setChart(chart.draw());
    delete shown;
}

bool saveChart(const SweepChart& chart, const QString& path, QString& problem)
{
    return chart.save(path, problem);
}

} // namespace

const ChartDrawing& ChartDrawing::linked()
{
    static const ChartDrawing drawing{&makeChartView, &showChart, &saveChart};
    return drawing;
}
