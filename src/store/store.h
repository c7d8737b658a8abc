#pragma once

#include "store/columntype.h"
#include "store/storeerror.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class QSqlError;
class QSqlQuery;
struct sqlite3_stmt;
using Rows = QList<QSqlRecord>;

// The formula library: the one file caldb.mdb in a directory, on SQLite. Statements are given
// in the library's own dialect (see JetDialect), table names quoted with sqlName(), values as
// '?' bound to values, never spliced in. Any failure raises StoreError.
class Store
{
public:
    enum class Access { ReadWrite, ReadOnly };

    static QString filePath(const QString& directory);

    // Opens the library in directory. It never creates the file. A missing file, one that is
    // not a database or is damaged, one without the fixed tables, or one locked by another
    // program raises StoreError of that kind. A file or folder that cannot be written opens
    // read-only: see readOnly().
    explicit Store(const QString& directory, Access access = Access::ReadWrite);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Creates a new, empty library file with the fixed tables; refuses to replace a file.
    static void createLibrary(const QString& directory);

    const QString& directory() const { return directory_; }
    QString path() const { return filePath(directory_); }

    // Runs a query and reads its whole result, so that statements may follow while the caller
    // walks the rows (SQLite refuses to drop a table while a query on it is open).
    Rows query(const QString& statement, const QVariantList& values = {});
    std::optional<QSqlRecord> first(const QString& statement, const QVariantList& values = {});
    // A row of a query read by forEachText: its columns by position, as the file keeps them.
    class TextRow
    {
    public:
        QByteArrayView utf8(int column) const;
        QString text(int column) const { return QString::fromUtf8(utf8(column)); }

    private:
        friend class Store;
        explicit TextRow(sqlite3_stmt* statement)
            : statement_(statement)
        {
        }
        sqlite3_stmt* statement_;
    };
    // Runs a query without values and hands each row to row as it is read, nothing converted
    // until asked: many times quicker than query() for results of many thousand rows. No other
    // statement may run until it returns.
    void forEachText(const QString& statement, const std::function<void(const TextRow&)>& row);
    // Runs a statement that changes the library. Values written to a column are checked
    // against its declared type first (see ColumnType); one it cannot hold refuses the whole
    // statement.
    void execute(const QString& statement, const QVariantList& values = {});
    bool tableExists(const QString& table);
    // Every table of the file, by name folded to lower case.
    QSet<QString> tableNames();

    // Drops every table but the kept ones, keeping their rows, and the emptied ones, keeping
    // only their definitions. Dropping thousands of tables one by one takes SQLite many
    // seconds, so the library is rebuilt in a new file beside it that then takes its place:
    // whatever happens, the library is either as it was or as asked.
    void keepOnly(const QStringList& kept, const QStringList& emptied);

    // Why nothing can be written, or an empty string when the library can be changed.
    QString readOnlyReason() const { return readOnlyReason_; }
    bool readOnly() const { return !readOnlyReason_.isEmpty(); }
    // Once SQLite has found the file malformed, nothing more is written to it: what is
    // written to a damaged file may damage it further.
    void markDamaged(const QString& report);
    bool damaged() const { return !damage_.isEmpty(); }

    // One user command: everything executed while the outermost Transaction lives is written
    // only when it commits; destroyed without commit (an error on the way), it writes nothing.
    class Transaction
    {
    public:
        explicit Transaction(Store& store);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Store& store_;
        bool done_ = false;
    };

private:
    enum class Open { ExistingOnly, CreateNew };
    Store(const QString& directory, Open mode, Access access);
    void openConnection(bool readOnly);
    void closeConnection();
    void rollback();
    QSqlDatabase database() const;
    void checkFixedTables();
    void indexCaptions();
    QSqlQuery run(const QString& statement, const QVariantList& values);
    StoreError failure(const QString& statement, const QSqlError& error);
    void refuseWrites(const QString& statement) const;
    QVariantList storedValues(const QString& statement, const QVariantList& values);
    const QHash<QString, ColumnType>& columnTypes(const QString& table);
    void replaceFile(const QString& fresh);

    QString directory_;
    QString connectionName_;
    QString readOnlyReason_;
    QString damage_;
    int transactionDepth_ = 0;
    // Declared column types of the tables written so far, by table and column, folded.
    QHash<QString, QHash<QString, ColumnType>> columnTypes_;
};
