#pragma once

#include <QString>
#include <stdexcept>

// A statement the database refused, or a library file that cannot be used. Carries the
// statement (empty when the file itself is at fault) and the database's own words.
class StoreError : public std::runtime_error
{
public:
    StoreError(QString statement, QString databaseMessage);

    const QString& statement() const { return statement_; }
    const QString& databaseMessage() const { return databaseMessage_; }
    // What the user is shown: the database's message, then the statement it refused.
    QString userText() const;

private:
    QString statement_;
    QString databaseMessage_;
};
