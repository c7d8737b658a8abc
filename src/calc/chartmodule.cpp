#include "calc/chartdrawing.h"

#include <QtGlobal>

// Its name is ChartDrawing::ModuleSymbol.
extern "C" Q_DECL_EXPORT const ChartDrawing* calcoraChartDrawing()
{
    return &ChartDrawing::linked();
}
