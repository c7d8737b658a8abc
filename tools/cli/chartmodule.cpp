#include "chartmodule.h"

#include "calc/sweepchart.h"

#include <QApplication>

namespace {

bool saveChart(const SweepChart& chart, const QString& path, QString& problem)
{
    return chart.save(path, problem);
}

// Qt's notes about the display it does not use are no business of the command's user.
void keepSerious(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

extern "C" Q_DECL_EXPORT int calcoraWithChartApplication(int* argc, char** argv, int (*run)(SaveChart save))
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepSerious);
    QApplication application(*argc, argv);
    return run(&saveChart);
}
