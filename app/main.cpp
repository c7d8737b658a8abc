#include "layout/userdialogs.h"
#include "mainwindow/startup.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    WidgetDialogs dialogs;
    // Where the window was left, in the user's own settings.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Calcora"), QStringLiteral("calcora"));
    // The library lives beside the program.
    const Session session = startSession(QCoreApplication::applicationDirPath(), dialogs, settings);
    if (!session.window)
        return 1;
    return app.exec();
}
