#include "libraryfile.h"

#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void createLibraryFile(const QString& directory, const std::function<void(Store&)>& fill)
{
    const QString path = Store::filePath(directory);
    // Checked here as well as by the store, so that the clean-up below can only ever remove
    // a file this function created.
    if (QFileInfo::exists(path))
        throw StoreError({}, QStringLiteral("%1 exists already; it is left as it is.").arg(path));
    if (!QDir().mkpath(directory))
        throw StoreError({}, QStringLiteral("The directory %1 cannot be created.").arg(directory));
    try {
        Store::createLibrary(directory);
        if (fill) {
            Store store(directory);
            fill(store);
        }
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}
