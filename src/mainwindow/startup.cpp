#include "mainwindow/startup.h"

#include "mainwindow/userdialogs.h"
#include "store/store.h"

#include <QDir>

std::unique_ptr<Store> openLibrary(const QString& directory, UserDialogs& dialogs)
{
    try {
        return std::make_unique<Store>(directory);
    } catch (const StoreError& error) {
        const QString folder = QDir::toNativeSeparators(QDir(directory).absolutePath());
        dialogs.msgBox(nullptr,
                       error.userText()
                           + QStringLiteral("\n\nTo create an empty library there, run:\n    calcora-initdb \"%1\"\n"
                                            "or, for one with sample formulas:\n    calcora-initdb --sample \"%1\"")
                                 .arg(folder),
                       MsgStyle::Information, QStringLiteral("Calcora"));
        return nullptr;
    }
}
