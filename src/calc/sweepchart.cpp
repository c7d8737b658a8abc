#include "calc/sweepchart.h"

#include "calc/wholefile.h"

#include <QBuffer>
#include <QChart>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <cmath>
#include <memory>

namespace {

constexpr QSize ChartSize(800, 500);

bool isSvg(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
}

// The runs of defined points, each drawn as a line of its own so that gaps stay gaps.
QList<QList<QPointF>> segments(const QList<QPointF>& points)
{
    QList<QList<QPointF>> runs{{}};
    for (const QPointF& point : points) {
        if (std::isfinite(point.y()))
            runs.last().append(point);
        else if (!runs.last().isEmpty())
            runs.append(QList<QPointF>());
    }
    if (runs.last().isEmpty())
        runs.removeLast();
    return runs;
}

// A range an axis can show: a single value, or none, still gets some room around it.
void setRange(QValueAxis& axis, double low, double high)
{
    if (!(low <= high)) {
        low = 0;
        high = 1;
    } else if (low == high) {
        const double room = low == 0 ? 1 : std::fabs(low) * 0.1;
        low -= room;
        high += room;
    }
    axis.setRange(low, high);
    axis.applyNiceNumbers();
}

// The chart as the file's bytes; empty when it could not be drawn.
QByteArray render(QGraphicsScene& scene, bool svg, const QString& title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(ChartSize);
        generator.setViewBox(QRect(QPoint(0, 0), ChartSize));
        generator.setTitle(title);
        QPainter painter(&generator);
        scene.render(&painter);
    } else {
        QImage image(ChartSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            scene.render(&painter);
        }
        if (!image.save(&buffer, "PNG"))
            return {};
    }
    return buffer.data();
}

} // namespace

QChart* SweepChart::draw() const
{
    auto* chart = new QChart; // owns its series and axes
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setVisible(curves.size() > 1);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    xAxis->setTitleText(xTitle);
    yAxis->setTitleText(yTitle);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    double xLow = qInf(), xHigh = -qInf(), yLow = qInf(), yHigh = -qInf();
    for (const Curve& curve : curves) {
        QColor color;
        for (const QList<QPointF>& run : segments(curve.points)) {
            auto* line = new QLineSeries;
            line->replace(run);
            line->setName(curve.label);
            // A lone defined point between gaps would draw nothing as a line.
            line->setPointsVisible(run.size() == 1);
            chart->addSeries(line);
            line->attachAxis(xAxis);
            line->attachAxis(yAxis);
            // One colour and one legend entry per curve, however many pieces its gaps cut it into.
            if (color.isValid()) {
                line->setColor(color);
                chart->legend()->markers(line).constFirst()->setVisible(false);
            }
            color = line->color();
            for (const QPointF& point : run) {
                yLow = std::min(yLow, point.y());
                yHigh = std::max(yHigh, point.y());
            }
        }
        for (const QPointF& point : curve.points) {
            xLow = std::min(xLow, point.x());
            xHigh = std::max(xHigh, point.x());
        }
    }
    setRange(*xAxis, xLow, xHigh);
    setRange(*yAxis, yLow, yHigh);
    return chart;
}

bool SweepChart::save(const QString& path, QString& problem) const
{
    if (!canWrite(path)) {
        problem = QStringLiteral("a chart is written as .svg or .png");
        return false;
    }
    QGraphicsScene scene; // owns the chart
    QChart* chart = draw();
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), ChartSize));
    scene.setSceneRect(chart->geometry());

    const QByteArray bytes = render(scene, isSvg(path), title);
    problem = bytes.isEmpty() ? QStringLiteral("the chart could not be drawn") : WholeFile::save(path, bytes);
    return problem.isEmpty();
}
