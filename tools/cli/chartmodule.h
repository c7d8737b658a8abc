#pragma once

#include <QString>

struct SweepChart;

// The charts module: Qt's GUI classes, which only a chart needs, loaded only for a chart, since
// they cost every other command start-up time.

using SaveChart = bool (*)(const SweepChart& chart, const QString& path, QString& problem);

// Runs run with a QApplication that draws offscreen, handing it the module's SweepChart::save.
using WithChartApplication = int (*)(int* argc, char** argv, int (*run)(SaveChart save));

inline constexpr char ChartModuleFile[] = "calcora-cli-charts.so";
inline constexpr char WithChartApplicationSymbol[] = "calcoraWithChartApplication";
