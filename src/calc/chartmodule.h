#pragma once

struct ChartDrawing;

// The module that holds the program's Qt Charts: its file beside the program, and the function
// that hands out its ChartDrawing.
namespace ChartModule {

using Drawing = const ChartDrawing* (*)();

inline constexpr char File[] = "calcora-charts.so";
inline constexpr char DrawingSymbol[] = "calcoraChartDrawing";

} // namespace ChartModule
