#pragma once

#include <QString>

// The library's statements are written in the dialect of the desktop database the file
// format comes from. This rewrites one of them into the SQLite statements that behave the
// same on our file:
//  - "delete * from t …" becomes "delete from t …";
//  - "CREATE  TABLE t (…)" maps each column type and adds what SQLite does not do itself:
//    text compares case-insensitively, VARCHAR(n) refuses longer values, NUMERIC(p,s) and INT
//    refuse values that are not numbers, COUNTER is an auto-number;
//  - everything else passes unchanged.
// NUMERIC(p,s) columns keep their declared type, so that the store can round what a statement
// wrote to s decimal places (triggers would do it too, but thousands of them make opening the
// file slow).
namespace JetDialect {
QString toSqlite(const QString& statement);
// The table an insert or update writes to; empty for other statements.
QString writtenTable(const QString& statement);
// s of a declared type NUMERIC(p,s); -1 for other types.
int decimalPlaces(const QString& declaredType);
}
