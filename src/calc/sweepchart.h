#pragma once

#include <QFileInfo>
#include <QList>
#include <QPointF>
#include <QString>

// A formula's result drawn against a parameter: one curve, or one per value of a second
// parameter, written to an SVG or PNG file. Drawn offscreen: save() needs a QApplication, but
// no display and no window. The chart is plain data up to save(), so code that only describes
// one needs none of Qt's GUI classes.
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

    // Writes the chart as its suffix says; false, with the reason in problem, when it cannot.
    bool save(const QString& path, QString& problem) const;
};
