#pragma once

#include "layout/userdialogs.h"
#include "mainwindow/form1.h"
#include "store/store.h"
#include "ui_form1.h"

#include <QStringList>

class QTreeWidgetItem;
class QWidget;
namespace benchmark {
class State;
}

// Never shows a box: a benchmark must not wait for a user. Any box means a statement failed,
// and the benchmark reports it instead of a figure. A file dialog answers saveTo.
class SilentDialogs final : public UserDialogs
{
public:
    int msgBox(QWidget* parent, const QString& text, int style, const QString& title) override;
    QString saveFileName(QWidget* parent, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    // Cancels.
    QString inputText(QWidget* parent, const QString& prompt, const QString& text, const QString& title) override;

    QStringList shown;
    // Answers every question Yes, for benchmarks of commands that ask first; only the other
    // boxes count as problems then.
    bool confirm = false;
    QString saveTo;
};

// A click on a node of the main window's tree, as the tree reports one: the node made current,
// then clicked.
void clickTreeNode(form1& window, QTreeWidgetItem* node);

// A main window on the cached library of the given number of formulas (see benchLibraryDir).
struct BenchWindow
{
    explicit BenchWindow(int formulas);
    // On the library in directory.
    explicit BenchWindow(const QString& directory);

    Store store;
    SilentDialogs dialogs;
    form1 window;
};

// True, with the benchmark marked as failed, when a box was shown.
bool reportProblems(benchmark::State& state, const SilentDialogs& dialogs);

// Shows the window and runs the event loop until it is on screen and has painted once, as the
// user sees it after start-up.
bool showExposed(QWidget& window);
// The same, marking the benchmark as failed when the window never shows.
bool showOrSkip(benchmark::State& state, QWidget& window);

// Waits until the window's background check of the library file is done: it reads the whole
// file and so holds back every write, and takes CPU time, for its first second or so.
bool waitForIntegrityCheck(benchmark::State& state, form1& window);

// main() of a benchmark of windows: an application on the offscreen platform, then the
// registered benchmarks.
int runWindowBenchmarks(int argc, char** argv);
