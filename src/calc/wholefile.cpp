#include "calc/wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

// Hidden, and named after the file it becomes, so that whoever finds one knows what it was.
QString partialName(const QString& fileName, const QString& tag)
{
    return QStringLiteral(".%1.%2~").arg(fileName, tag);
}

} // namespace

WholeFile::WholeFile(const QString& path)
    : target_(path)
{
    // A link stays a link: the file it points to is the one replaced.
    const QFileInfo target(path);
    if (target.isSymLink() && !target.canonicalFilePath().isEmpty())
        target_ = target.canonicalFilePath();
    const QFileInfo final(target_);
    // Opened unbuffered, so that a write that falls short says so at once, and why.
    if (final.exists() && !final.isFile()) {
        // A device or a pipe cannot be replaced, only written to; a folder refuses the open.
        direct_ = true;
        file_.setFileName(target_);
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            failed(file_.errorString());
        return;
    }
    // A file its owner made read-only is not replaced behind their back.
    if (final.exists() && !final.isWritable()) {
        failed(qt_error_string(EACCES));
        return;
    }
    // A name nobody else has, made by the open itself, with the permissions a new file gets.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString tag = QString::number(QRandomGenerator::global()->generate(), 16);
        file_.setFileName(final.dir().filePath(partialName(final.fileName(), tag)));
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return;
        if (!file_.exists())
            break;
    }
    failed(file_.errorString());
    file_.setFileName(QString());
}

WholeFile::~WholeFile()
{
    if (committed_ || direct_ || file_.fileName().isEmpty())
        return;
    file_.close();
    file_.remove();
}

bool WholeFile::write(const QByteArray& bytes)
{
    // A short write is tried again for the rest, which then fails with the reason ("No space
    // left on device").
    for (qsizetype done = 0; error_.isEmpty() && done < bytes.size();) {
        const qint64 written = file_.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            failed(file_.errorString());
        else
            done += written;
    }
    return error_.isEmpty();
}

QString WholeFile::temporaryPath()
{
    file_.close();
    return error_.isEmpty() ? file_.fileName() : QString();
}

bool WholeFile::commit()
{
    // What a writer by name put there is reached through a handle of our own. On disk before
    // the move, so that a crash leaves the old file or the new one, never an empty one.
    if (error_.isEmpty() && !direct_) {
        if (!file_.isOpen() && !file_.open(QIODevice::ReadOnly))
            failed(file_.errorString());
        else if (::fsync(file_.handle()) != 0)
            failed(qt_error_string(errno));
    }
    file_.close();
    if (file_.error() != QFileDevice::NoError)
        failed(file_.errorString());
    if (!error_.isEmpty() || direct_)
        return error_.isEmpty();
    if (QFileInfo::exists(target_))
        file_.setPermissions(QFile::permissions(target_));
    if (std::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(target_).constData()) != 0) {
        failed(qt_error_string(errno));
        return false;
    }
    committed_ = true;
    return true;
}

QString WholeFile::partialPattern(const QString& fileName)
{
    return partialName(fileName, QStringLiteral("*"));
}

QString WholeFile::save(const QString& path, const QByteArray& bytes)
{
    WholeFile file(path);
    if (file.write(bytes))
        file.commit();
    return file.error();
}

void WholeFile::failed(const QString& reason)
{
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("the file could not be written") : reason;
}
