#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "mainwindow/userdialogs.h"
#include "store/store.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    WidgetDialogs dialogs;
    // The library lives beside the program.
    const std::unique_ptr<Store> store = openLibrary(QCoreApplication::applicationDirPath(), dialogs);
    if (!store)
        return 1;
    form1 window(*store, dialogs);
    window.show();
    return app.exec();
}
