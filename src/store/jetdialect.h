#pragma once

#include <QString>
#include <QStringList>

// The library's statements are written in the dialect of the desktop database the file format
// comes from. This rewrites one of them into the SQLite statement that behaves the same on our
// file, and tells the store which columns a write fills:
//  - "delete * from t …" becomes "delete from t …";
//  - "CREATE  TABLE t (…)" keeps each column's declared type (VARCHAR(20), NUMERIC(28,4), INT)
//    and makes text compare without case; COUNTER becomes an auto-number;
//  - everything else passes unchanged.
// Declared types carry no constraints in the file: a schema of thousands of tables is parsed
// whenever the file is opened, and constraints make that several times slower. The store
// checks values against the declared types instead (see ColumnType).
// Table names may be bare words or quoted ("…", […], `…`).
namespace JetDialect {

QString toSqlite(const QString& statement);

// What an insert or update writes: its table, and for every '?' of the statement in order the
// column it fills, or an empty string where the '?' is not a whole value written to a column
// (a where clause, an expression); and, for every '?' in order, the column an update's where
// clause finds the row by ("name = ?"), or an empty string. table is empty for other statements.
struct WriteShape
{
    QString table;
    QStringList placeholderColumns;
    QStringList conditionColumns;
};
WriteShape writeShape(const QString& statement);

// True for statements that create, drop or alter a table or an index.
bool changesSchema(const QString& statement);

} // namespace JetDialect
