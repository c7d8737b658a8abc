#pragma once

#include <QString>
#include <memory>

class Store;
class UserDialogs;

// Opens the library in directory, or tells the user why it cannot (and, when there is no file,
// how to create one) and returns null. Nothing is created. A library that cannot be written
// opens, after the user is told so.
std::unique_ptr<Store> openLibrary(const QString& directory, UserDialogs& dialogs);
