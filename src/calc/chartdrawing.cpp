#include "calc/chartdrawing.h"

#include "calc/chartmodule.h"

#include <QCoreApplication>
#include <QLibrary>

const ChartDrawing* ChartDrawing::load(QString& problem)
{
    // Loaded once and kept for the rest of the run: QLibrary leaves a library loaded when it goes.
    QLibrary module(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(ChartModule::File));
    const auto drawing = reinterpret_cast<ChartModule::Drawing>(module.resolve(ChartModule::DrawingSymbol));
    if (!drawing) {
        problem = module.errorString();
        return nullptr;
    }
    return drawing();
}
