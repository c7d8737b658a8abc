#pragma once

#include "store/unfitvalue.h"

#include <QString>
#include <optional>
#include <stdexcept>

// Why the library could not do what was asked: a statement it refused, or a file that cannot
// be used as it is. Carries the statement (empty when the file itself is at fault), the
// database's own words, and what kind of trouble it is, which decides what the user is told;
// for a value that does not fit, where it was to go.
class StoreError : public std::runtime_error
{
public:
    enum class Kind {
        Refused,     // the statement broke a rule of the library
        Unfit,       // a value its column cannot hold (see unfit())
        DiskFull,    // no room left on the disk for what was to be written
        Missing,     // there is no library file
        NotALibrary, // a database, but without the library's tables
        Damaged,     // SQLite found the file malformed, or not a database at all
        Busy,        // another program holds a lock on the file
        ReadOnly,    // the file or its folder cannot be written
        Unfinished,  // a change a program left when it stopped, which only a writer can undo
        BadText,     // a text holds something no text column can keep (a lone UTF-16 surrogate)
    };

    StoreError(QString statement, QString databaseMessage, Kind kind = Kind::Refused, QString path = {});
    StoreError(QString statement, UnfitValue unfit, QString path);

    Kind kind() const { return kind_; }
    const QString& statement() const { return statement_; }
    const QString& databaseMessage() const { return databaseMessage_; }
    const std::optional<UnfitValue>& unfit() const { return unfit_; }
    // What the user is shown: what happened in plain words, and the way out where there is one.
    // The statement is not part of it.
    QString userText() const;

private:
    QString statement_;
    QString databaseMessage_;
    Kind kind_;
    QString path_;
    std::optional<UnfitValue> unfit_;
};
