#include "mainwindow/startup.h"
#include "mainwindow/userdialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    WidgetDialogs dialogs;
    // The library lives beside the program.
    const Session session = startSession(QCoreApplication::applicationDirPath(), dialogs);
    if (!session.window)
        return 1;
    return app.exec();
}
