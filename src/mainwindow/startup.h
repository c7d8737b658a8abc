#pragma once

#include "mainwindow/form1.h"
#include "store/store.h"

#include <QString>
#include <memory>

class QSettings;
class UserDialogs;

// Opens the library in directory, or tells the user why it cannot (and, when there is no file,
// how to create one) and returns null. Nothing is created. A library that cannot be written
// opens, after the user is told so.
std::unique_ptr<Store> openLibrary(const QString& directory, UserDialogs& dialogs);

// What the program runs on: the library and the main window, shown. The window goes before the
// library it works on.
struct Session
{
    std::unique_ptr<Store> store;
    std::unique_ptr<form1> window;
};

// The program's start on the library in directory, the window as it was left in settings; a
// session without a window when the library cannot be opened (the user was told why).
Session startSession(const QString& directory, UserDialogs& dialogs, QSettings& settings);
