#pragma once

#include "store/columntype.h"
#include "store/layoutconversion.h"
#include "store/itemtables.h"
#include "store/jetdialect.h"
#include "store/storeerror.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QSqlError;
struct sqlite3;
struct sqlite3_stmt;
using Rows = QList<QSqlRecord>;

// The formula library: the one file caldb.mdb in a directory, on SQLite. Statements are given
// in the library's own dialect (see JetDialect), table names quoted with sqlName(), values as
// '?' bound to values, never spliced in. Any failure raises StoreError. The tables of catalogs
// and formulas are kept apart from SQLite's own (see ItemTables); statements name them alike.
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
    // value as a statement writing it into column of table would store it, converted and
    // rounded by the column's type (see ColumnType); nullopt when the column cannot hold it.
    std::optional<QVariant> storedValue(const QString& table, const QString& column, const QVariant& value);
    // Every table of the library, by name folded to lower case.
    QSet<QString> tableNames();

    // Why nothing can be written, or an empty string when the library can be changed.
    QString readOnlyReason() const { return readOnlyReason_; }
    bool readOnly() const { return !readOnlyReason_.isEmpty(); }
    // Once SQLite has found the file malformed, nothing more is written to it: what is
    // written to a damaged file may damage it further.
    void markDamaged(const QString& report);
    bool damaged() const { return !damage_.isEmpty(); }
    // What became of a library of the older layout when it was opened (see LayoutConversion);
    // empty for one already in today's layout, or opened for reading.
    const LayoutConversion::Outcome& conversion() const { return conversion_; }

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
    sqlite3* connection() const;
    void readSchema();
    qlonglong schemaVersion();
    // Reads the tables again when another connection changed them since; true when it did.
    bool followSchemaChanges();
    // After a statement of this connection made, dropped or altered an SQLite table.
    void keepTableNames(const SqlTokens& tokens, qsizetype tableToken);
    void checkFixedTables();
    void upgradeSchema();
    void convertOlderLayout();
    // The query run, ready to read; it stays the store's, and is good until the next statement.
    QSqlQuery& run(const QString& statement, const QVariantList& values);
    QSqlQuery& runTranslated(const QString& statement, const QVariantList& values);
    QSqlQuery& runTranslated(const QString& statement, const SqlTokens& tokens, const QVariantList& values);
    // The statement as SQLite runs it: on ItemRows where it names a catalog's or formula's table.
    ItemTables::Statement translated(const QString& statement, const SqlTokens& tokens, const QVariantList& values);
    StoreError failure(const QString& statement, const QSqlError& error);
    StoreError refusal(const QString& statement, const QString& problem) const;
    void refuseWrites(const QString& statement) const;
    QVariantList storedValues(const QString& statement, const QVariantList& values);
    // What is known of where the value at'th '?' of a write was to go.
    UnfitValue unfitValue(const JetDialect::WriteShape& shape, const QVariantList& values, qsizetype at,
                          const QHash<QString, ColumnType>& types, ColumnType::Misfit misfit);
    QHash<QString, ColumnType> columnTypes(const QString& table);
    // An item's table is one that neither SQLite nor the library keeps as an SQLite table.
    bool isSqliteTable(const QString& table) const;
    std::optional<ItemTables::Columns> itemTable(const QString& table);
    std::optional<ItemTables::Columns> parsedDefinition(const QString& definition);
    void createItemTable(const QString& statement, const SqlTokens& tokens, qsizetype tableToken);
    void dropItemTable(const QString& statement, const SqlTokens& tokens, qsizetype tableToken);

    QString directory_;
    QString connectionName_;
    QString readOnlyReason_;
    QString damage_;
    int transactionDepth_ = 0;
    LayoutConversion::Outcome conversion_;
    // SQLite's own tables, by name folded to lower case, as they were at schemaVersion_.
    QSet<QString> sqliteTables_;
    qlonglong schemaVersion_ = -1;
    // Statements prepared so far, by their text.
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> prepared_;
    // Items' tables looked up so far, by name folded to lower case; nullopt for no such table.
    QHash<QString, std::optional<ItemTables::Columns>> itemTables_;
    // Definitions as ItemTables stores them, read.
    QHash<QString, std::optional<ItemTables::Columns>> definitions_;
};
