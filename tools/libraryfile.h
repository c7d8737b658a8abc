#pragma once

#include <QString>
#include <functional>

class Store;

// Creates directory (if missing) and a new library file in it, then hands the library to
// fill, when one is given. Refuses to replace an existing file and leaves it untouched. A
// library that cannot be completed is removed again, so that a failure never leaves a
// half-written file behind. Errors are StoreError; whatever fill throws passes through.
void createLibraryFile(const QString& directory, const std::function<void(Store&)>& fill = {});
