#include "benchwindow.h"

#include "benchlibrary.h"
#include "store/integritycheck.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

int SilentDialogs::msgBox(QWidget*, const QString& text, int style, const QString&)
{
    if (confirm && style == MsgStyle::YesNoQuestion)
        return MsgAnswer::Yes;
    shown << text;
    return MsgAnswer::No;
}

QString SilentDialogs::saveFileName(QWidget*, const QString&)
{
    return saveTo;
}

QString SilentDialogs::openFileName(QWidget*, const QString&)
{
    return saveTo;
}

QString SilentDialogs::inputText(QWidget*, const QString&, const QString&, const QString&)
{
    return {};
}

void clickTreeNode(form1& window, QTreeWidgetItem* node)
{
    QTreeWidget* tree = window.controls().Tvwmain;
    tree->setCurrentItem(node);
    emit tree->itemClicked(node, 0);
}

BenchWindow::BenchWindow(int formulas)
    : BenchWindow(benchLibraryDir(formulas))
{
}

BenchWindow::BenchWindow(const QString& directory)
    : store(directory)
    , window(store, dialogs)
{
}

bool reportProblems(benchmark::State& state, const SilentDialogs& dialogs)
{
    if (dialogs.shown.isEmpty())
        return false;
    state.SkipWithError(("message box: " + dialogs.shown.constFirst().toStdString()).c_str());
    return true;
}

bool showExposed(QWidget& window)
{
    window.show();
    const QDeadlineTimer deadline(10000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed())) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    return true;
}

bool showOrSkip(benchmark::State& state, QWidget& window)
{
    if (showExposed(window))
        return true;
    state.SkipWithError("window never exposed");
    return false;
}

bool waitForIntegrityCheck(benchmark::State& state, form1& window)
{
    const auto* check = window.findChild<IntegrityCheck*>();
    const QDeadlineTimer deadline(60000);
    while (check && check->running()) {
        if (deadline.hasExpired()) {
            state.SkipWithError("the integrity check never ended");
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

int runWindowBenchmarks(int argc, char** argv)
{
    // Google Benchmark takes its own flags first; QApplication then takes Qt's from the rest.
    benchmark::Initialize(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Closing the window is measured, not the end of the program.
    app.setQuitOnLastWindowClosed(false);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
