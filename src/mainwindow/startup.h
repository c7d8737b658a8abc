#pragma once

#include <QString>
#include <memory>

class Store;
class UserDialogs;

// Opens the library in directory, or tells the user why it cannot and how to create one, and
// returns null. Nothing is created.
std::unique_ptr<Store> openLibrary(const QString& directory, UserDialogs& dialogs);
