#include "calc/chartdrawing.h"
#include "calc/chartmodule.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const ChartDrawing* calcoraChartDrawing()
{
    return &ChartDrawing::linked();
}
