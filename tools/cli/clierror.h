#pragma once

#include <QString>
#include <stdexcept>

// Exit statuses: 0 done; ExitFailed when the command could not be done (an unknown name, a bad
// value, an evaluation error, a file that cannot be read or written, a library that refuses);
// ExitUsage when the command line itself is wrong.
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Ends a command: its message goes to standard error on one line, its status is the exit status.
class CliError : public std::runtime_error
{
public:
    CliError(int status, const QString& message)
        : std::runtime_error(message.toStdString())
        , status_(status)
        , message_(message)
    {
    }

    int status() const { return status_; }
    const QString& message() const { return message_; }

private:
    int status_;
    QString message_;
};

inline CliError usageError(const QString& message)
{
    return CliError(ExitUsage, message);
}

inline CliError failure(const QString& message)
{
    return CliError(ExitFailed, message);
}

// A file that could not be written whole; whatever was at path before is still there.
inline CliError unwritable(const QString& path, const QString& problem)
{
    return failure(QStringLiteral("%1 cannot be written: %2; a file already there is left as it was.").arg(path, problem));
}
