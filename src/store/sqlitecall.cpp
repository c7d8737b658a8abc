#include "store/sqlitecall.h"

#include <memory>
#include <sqlite3.h>

int runSqlite(sqlite3* connection, const QString& statement, const QVariantList& values,
              const std::function<void(sqlite3_stmt*)>& row)
{
    const QByteArray text = statement.toUtf8();
    sqlite3_stmt* prepared = nullptr;
    int status = sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &prepared, nullptr);
    // Finalized however the walk ends, a throwing row included.
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finalizer(prepared, sqlite3_finalize);
    for (int i = 0; status == SQLITE_OK && i < int(values.size()); ++i) {
        const QString value = values.at(i).toString();
        status = sqlite3_bind_text16(prepared, i + 1, value.utf16(), int(value.size() * sizeof(QChar)), SQLITE_TRANSIENT);
    }
    while (status == SQLITE_OK || status == SQLITE_ROW) {
        status = sqlite3_step(prepared);
        if (status == SQLITE_ROW && row)
            row(prepared);
    }
    return status;
}

QString sqliteText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}
