#include "mainwindow/startup.h"

#include "calc/resultworkbook.h"
#include "layout/userdialogs.h"
#include "mainwindow/drawnicons.h"
#include "mainwindow/form1.h"
#include "mainwindow/windowmemory.h"
#include "store/store.h"

#include <QApplication>
#include <QDir>

namespace {

const QString Title = QStringLiteral("Calcora");

} // namespace

std::unique_ptr<Store> openLibrary(const QString& directory, UserDialogs& dialogs)
{
    std::unique_ptr<Store> store;
    try {
        store = std::make_unique<Store>(directory);
    } catch (const StoreError& error) {
        QString text = error.userText();
        // Only where there is no file at all does a new one help; the tool never replaces one.
        if (error.kind() == StoreError::Kind::Missing) {
            const QString folder = QDir::toNativeSeparators(QDir(directory).absolutePath());
            text += QStringLiteral("\n\nTo create an empty library there, run:\n    calcora-initdb \"%1\"\n"
                                   "or, for one with sample formulas:\n    calcora-initdb --sample \"%1\"")
                        .arg(folder);
        }
        dialogs.msgBox(nullptr, text, MsgStyle::Information, Title);
        return nullptr;
    }
    if (store->readOnly()) {
        dialogs.msgBox(nullptr,
                       StoreError({}, store->readOnlyReason(), StoreError::Kind::ReadOnly, store->path()).userText()
                           + QStringLiteral("\n\nIts formulas can be looked at; to work with them, open a copy "
                                            "that can be written."),
                       MsgStyle::Information, Title);
    }
    return store;
}

Session startSession(const QString& directory, UserDialogs& dialogs, QSettings& settings)
{
    Session session;
    session.store = openLibrary(directory, dialogs);
    if (!session.store)
        return session;
    // Read on a second core while this one makes the window.
    std::future<LibraryTree> tree = LibraryTree::readAhead(directory);
    // Before the window is made: its menu bar asks the style for a picture as it is built.
    if (!qobject_cast<DrawnIconStyle*>(QApplication::style()))
        QApplication::setStyle(new DrawnIconStyle(QApplication::style()->name()));
    session.window = std::make_unique<form1>(*session.store, dialogs, nullptr, std::move(tree));
    rememberWindowState(*session.window, settings);
    session.window->show();
    // Not at the end of a run: the spreadsheet program may still be showing them then.
    ResultWorkbook::removeOldWorkbooks(QDir::tempPath());
    return session;
}
