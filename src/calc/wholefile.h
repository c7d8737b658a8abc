#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file that is in place whole or not at all. Its content goes to a new file beside path, so
// that the final move stays on one disk; every write is checked, and only commit() moves the
// new file over whatever was at path. A write that fails midway (a full disk, a folder that
// takes no file) or a file never committed leaves the old file as it was and nothing beside it.
// What is not a file of its own (a device such as /dev/stdout, a pipe) is written directly,
// every write still checked.
class WholeFile
{
public:
    explicit WholeFile(const QString& path);
    // Removes the new file unless it was committed.
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Appends bytes. False from the first write that fails on, with error() saying why.
    bool write(const QByteArray& bytes);
    // For a writer that opens the file by its name: the new file's path, where it replaces the
    // empty file made for it. Empty when no file could be made there.
    QString temporaryPath();
    // Moves the new file to path, on disk first, with the permissions of the file it replaces.
    // False, leaving path as it was, when anything failed.
    bool commit();
    // Why the file could not be written; empty while nothing failed.
    const QString& error() const { return error_; }

    // The names a new file for fileName has while it is written, as a wildcard: what an
    // interrupted run may have left.
    static QString partialPattern(const QString& fileName);
    // bytes as the whole file at path: why it could not be written, or an empty string.
    static QString save(const QString& path, const QByteArray& bytes);

private:
    void failed(const QString& reason);

    QString target_;
    QFile file_;
    QString error_;
    bool direct_ = false; // written in place: a device or a pipe
    bool committed_ = false;
};
