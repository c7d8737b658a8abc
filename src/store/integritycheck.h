#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <atomic>

class QThread;
struct sqlite3;

// Reads the whole library file in the background, as SQLite's quick check does, and reports a
// file that is malformed anywhere: damage in a table nobody has opened yet would otherwise be
// found only when it is written to. It takes too long for start-up on a large library (about
// half a second for 10,000 formulas), so it runs beside the window, on its own connection.
class IntegrityCheck : public QObject
{
    Q_OBJECT
public:
    IntegrityCheck(const QString& path, QObject* parent);
    // Stops a check still running.
    ~IntegrityCheck() override;

    void start();
    bool running() const;

signals:
    // SQLite's own report of what is wrong.
    void damaged(const QString& report);

private:
    void check();

    QString path_;
    QThread* thread_ = nullptr;
    QMutex connectionMutex_;
    sqlite3* connection_ = nullptr; // while the check runs; guarded by connectionMutex_
    std::atomic<bool> stopping_{false};
};
