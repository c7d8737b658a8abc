#pragma once

#include <QFileInfo>
#include <QList>
#include <QPointF>
#include <QString>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

// A formula's result drawn against a parameter: one curve, or one per value of a second
// parameter, shown in a window or written to an SVG or PNG file. Files are drawn offscreen:
// save() needs a QApplication, but no display and no window. The chart is plain data up to
// draw() and save(), so code that only describes one needs none of Qt's GUI classes.
struct SweepChart
{
    struct Curve
    {
        QString label;         // in the legend, shown when there is more than one curve
        QList<QPointF> points; // in order of x; a point whose y is NaN leaves a gap
    };

    // The most curves a chart draws: beyond it neither their colours nor the legend tell them apart.
    static constexpr std::size_t MaxCurves = 15;

    QString title;
    QString xTitle;
    QString yTitle;
    QList<Curve> curves;

    // Whether save() can write a file of that name: its suffix is .svg or .png.
    static bool canWrite(const QString& path)
    {
        const QString suffix = QFileInfo(path).suffix().toLower();
        return suffix == QLatin1String("svg") || suffix == QLatin1String("png");
    }

    // The chart as Qt Charts draws it, in a view or into a file; the caller owns it.
    QChart* draw() const;
    // Writes the chart as its suffix says; false, with the reason in problem, when it cannot.
    bool save(const QString& path, QString& problem) const;
};
