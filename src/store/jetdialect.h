#pragma once

#include <QString>
#include <QStringList>

// The library's statements are written in the dialect of the desktop database the file
// format comes from. This rewrites one of them into the SQLite statements that behave the
// same on our file:
//  - "delete * from t …" becomes "delete from t …";
//  - "CREATE  TABLE t (…)" maps each column type and adds what SQLite does not do itself:
//    text compares case-insensitively, VARCHAR(n) refuses longer values, NUMERIC(p,s) and INT
//    refuse values that are not numbers, NUMERIC(p,s) keeps s decimal places (by triggers),
//    COUNTER is an auto-number;
//  - everything else passes unchanged.
namespace JetDialect {
QStringList toSqlite(const QString& statement);
}
