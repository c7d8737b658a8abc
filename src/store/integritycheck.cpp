#include "store/integritycheck.h"

#include <QFile>
#include <QThread>
#include <sqlite3.h>

IntegrityCheck::IntegrityCheck(const QString& path, QObject* parent)
    : QObject(parent)
    , path_(path)
{
}

IntegrityCheck::~IntegrityCheck()
{
    if (!thread_)
        return;
    stopping_ = true;
    {
        const QMutexLocker lock(&connectionMutex_);
        if (connection_)
            sqlite3_interrupt(connection_);
    }
    thread_->wait();
    delete thread_;
}

void IntegrityCheck::start()
{
    if (thread_)
        return;
    thread_ = QThread::create([this] { check(); });
    thread_->start(QThread::LowPriority);
}

bool IntegrityCheck::running() const
{
    return thread_ && !thread_->isFinished();
}

void IntegrityCheck::check()
{
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path_).constData(), &connection, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(connection);
        return;
    }
    {
        const QMutexLocker lock(&connectionMutex_);
        connection_ = connection;
    }
    // The window's own writes wait for the check, as they would for any reader.
    sqlite3_busy_timeout(connection, 2000);
    QStringList problems;
    sqlite3_stmt* statement = nullptr;
    if (!stopping_ && sqlite3_prepare_v2(connection, "pragma quick_check(10)", -1, &statement, nullptr) == SQLITE_OK) {
        int result = SQLITE_ROW;
        while ((result = sqlite3_step(statement)) == SQLITE_ROW)
            problems << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        if (result == SQLITE_CORRUPT || result == SQLITE_NOTADB)
            problems << QString::fromUtf8(sqlite3_errmsg(connection));
    } else if (!stopping_ && (sqlite3_errcode(connection) == SQLITE_CORRUPT || sqlite3_errcode(connection) == SQLITE_NOTADB)) {
        problems << QString::fromUtf8(sqlite3_errmsg(connection));
    }
    sqlite3_finalize(statement);
    {
        const QMutexLocker lock(&connectionMutex_);
        connection_ = nullptr;
    }
    sqlite3_close(connection);
    problems.removeAll(QStringLiteral("ok"));
    if (!stopping_ && !problems.isEmpty())
        emit damaged(problems.join(QLatin1String("; ")));
}
