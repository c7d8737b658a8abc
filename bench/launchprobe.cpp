// The program's start as a user launches it, ending the moment its main window is on screen.
// Run with a library directory, it starts Calcora on it; run with "--empty", it shows an empty
// window instead, the yardstick of what any Qt program takes to show a window here.
#include "benchwindow.h"
#include "mainwindow/startup.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString argument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // A first start: no window state saved, and none of the user's read.
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(QStringLiteral("calcora.ini")), QSettings::IniFormat);
    SilentDialogs dialogs;
    // Both outlive the measured moment: closing them is not part of the start.
    QWidget emptyWindow;
    Session session;
    bool shown = false;
    if (argument == QLatin1String("--empty")) {
        emptyWindow.resize(441, 460);
        shown = showExposed(emptyWindow);
    } else {
        session = startSession(argument, dialogs, settings);
        shown = session.window && showExposed(*session.window) && dialogs.shown.isEmpty();
    }
    // What the program does after this moment is not part of its start.
    settingsDir.remove();
    std::_Exit(shown ? EXIT_SUCCESS : EXIT_FAILURE);
}
