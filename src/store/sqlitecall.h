#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

struct sqlite3;
struct sqlite3_stmt;

// Runs one statement on an SQLite connection, with values bound to its '?' in order as text,
// and hands each row to row as SQLite steps onto it. Returns SQLite's last status: SQLITE_DONE
// when the statement ran to its end; the connection tells what went wrong otherwise.
int runSqlite(sqlite3* connection, const QString& statement, const QVariantList& values = {},
              const std::function<void(sqlite3_stmt*)>& row = {});

// A column of the row a statement stands on, as text.
QString sqliteText(sqlite3_stmt* statement, int column);
