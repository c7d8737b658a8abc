#include "calc/chartdrawing.h"

#include <QCoreApplication>
#include <QLibrary>

const ChartDrawing* ChartDrawing::load(QString& problem)
{
    // Loaded once and kept for the rest of the run: QLibrary leaves a library loaded when it goes.
    QLibrary module(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(ChartDrawing::ModuleFile));
    const auto drawing = reinterpret_cast<ChartDrawing::ModuleFunction>(module.resolve(ChartDrawing::ModuleSymbol));
    if (!drawing) {
        problem = module.errorString();
        return nullptr;
    }
    return drawing();
}
