#include "unfinishedwrite.h"

#include "store/store.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

void copyMidWrite(const QString& directory, const QString& into)
{
    const QString path = Store::filePath(directory);
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
    // A cache of one page makes SQLite write changed pages into the file before the commit.
    if (sqlite3_exec(db, "pragma cache_size = 1; begin; update ItemRows set descr = 'half-written'; "
                         "update CataConstruct set caption = caption || ' (half-written)';",
                     nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    const QString copy = Store::filePath(into);
    QDir().mkpath(into);
    const bool copied = QFile::copy(path, copy) && QFile::copy(path + QStringLiteral("-journal"), copy + QStringLiteral("-journal"));
    sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
    if (!copied)
        throw std::runtime_error("the library or its journal could not be copied");
}
