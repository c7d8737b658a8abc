#pragma once

#include <QString>

class QWidget;
struct SweepChart;

// How a window draws sweep charts: with Qt Charts, which the program loads only when it first
// draws one, from a module beside it. Linked into the program, Qt Charts and the OpenGL
// libraries it brings along would be loaded at every start, by users who never sweep.
struct ChartDrawing
{
    // A view of charts, empty, as a child of parent.
    QWidget* (*makeView)(QWidget* parent);
    // Shows chart in a view that makeView made, in place of the one it showed.
    void (*show)(QWidget* view, const SweepChart& chart);
    // Writes chart to an SVG or PNG file: SweepChart::save.
    bool (*save)(const SweepChart& chart, const QString& path, QString& problem);

    // The module's drawing, loaded on first use; nullptr, with the reason in problem, when the
    // module cannot be loaded.
    static const ChartDrawing* load(QString& problem);
    // The drawing itself, for a program that links Qt Charts (and so calcora_chart).
    static const ChartDrawing& linked();

    // The module beside the program, and its function that hands out linked().
    static constexpr char ModuleFile[] = "calcora-charts.so";
    static constexpr char ModuleSymbol[] = "calcoraChartDrawing";
    using ModuleFunction = const ChartDrawing* (*)();
};
