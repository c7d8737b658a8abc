#pragma once

#include "store/storeerror.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <optional>

using Rows = QList<QSqlRecord>;

// The formula library: the one file caldb.mdb in a directory, on SQLite. Statements are
// given in the library's own dialect (see JetDialect) and any failure raises StoreError.
class Store
{
public:
    static QString filePath(const QString& directory);

    // Opens the library in directory. It never creates the file: a missing file, one that is
    // not a database, or one without the fixed tables raises StoreError.
    explicit Store(const QString& directory);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Creates a new, empty library file with the fixed tables; refuses to replace a file.
    static void createLibrary(const QString& directory);

    const QString& directory() const { return directory_; }

    // Runs a query and reads its whole result, so that statements may follow while the caller
    // walks the rows (SQLite refuses to drop a table while a query on it is open).
    Rows query(const QString& statement);
    std::optional<QSqlRecord> first(const QString& statement);
    void execute(const QString& statement);
    bool tableExists(const QString& table);

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
    Store(const QString& directory, Open mode);
    QSqlDatabase database() const;
    void checkFixedTables();
    // Writes are rounded only when they may touch a NUMERIC(p,s) column: the names of all such
    // columns are known from the schema, and most statements name none of them.
    void noteNumericColumns(const QString& createStatement);
    bool mayWriteNumericColumn(const QString& statement) const;
    // The NUMERIC(p,s) columns of a table with their s: what a write to it must round.
    const QList<std::pair<QString, int>>& roundedColumns(const QString& table);

    QString directory_;
    QString connectionName_;
    int transactionDepth_ = 0;
    QHash<QString, QList<std::pair<QString, int>>> roundedColumns_;
    QSet<QString> numericColumnNames_;
};
