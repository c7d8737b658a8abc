// calcora-cli: the formula library from the command line. It reads the library, or adds a
// catalog to it; it never creates a library and never records a computation.

#include "chartmodule.h"
#include "cli.h"
#include "clierror.h"

#include "store/storeerror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QTextStream>
#include <cstring>

namespace {

bool drawsChart(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--plot") == 0 || std::strncmp(argv[i], "--plot=", 7) == 0)
            return true;
    }
    return false;
}

int runProgram(SaveChart saveChart)
{
    QCoreApplication::setApplicationName(QStringLiteral("calcora-cli"));
    QTextStream out(stdout);
    QString problem;
    int status = 0;
    try {
        status = runCli(QCoreApplication::arguments(), QCoreApplication::applicationDirPath(), out, saveChart);
    } catch (const CliError& error) {
        problem = error.message();
        status = error.status();
    } catch (const StoreError& error) {
        problem = error.userText();
        status = ExitFailed;
    }
    out.flush();
    // Output that did not all arrive (a full disk behind a redirection) is a failure too.
    if (out.status() != QTextStream::Ok && problem.isEmpty()) {
        problem = QStringLiteral("Standard output cannot be written: %1").arg(out.device()->errorString());
        status = ExitFailed;
    }
    if (!problem.isEmpty())
        QTextStream(stderr) << "calcora-cli: " << problem.simplified() << '\n';
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!drawsChart(argc, argv)) {
        QCoreApplication application(argc, argv);
        return runProgram(nullptr);
    }
    // The module lies beside the program; there is no application yet to ask where that is.
    QLibrary charts(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2)
                    + QLatin1Char('/') + QLatin1String(ChartModuleFile));
    const auto withCharts = reinterpret_cast<WithChartApplication>(charts.resolve(WithChartApplicationSymbol));
    if (!withCharts) {
        QTextStream(stderr) << "calcora-cli: charts cannot be drawn: " << charts.errorString() << '\n';
        return ExitFailed;
    }
    return withCharts(&argc, argv, &runProgram);
}
