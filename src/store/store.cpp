#include "store/store.h"

#include "store/jetdialect.h"
#include "store/schema.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("calcora-library-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError& error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

} // namespace

QString Store::filePath(const QString& directory)
{
    return QDir(directory).absoluteFilePath(QStringLiteral("caldb.mdb"));
}

Store::Store(const QString& directory)
    : Store(directory, Open::ExistingOnly)
{
}

Store::Store(const QString& directory, Open mode)
    : directory_(directory)
    , connectionName_(nextConnectionName())
{
    const QString path = filePath(directory);
    if (mode == Open::ExistingOnly && !QFileInfo(path).isFile())
        throw StoreError({}, QStringLiteral("There is no formula library %1.").arg(path));
    if (mode == Open::CreateNew && QFileInfo::exists(path))
        throw StoreError({}, QStringLiteral("%1 exists already; it is left as it is.").arg(path));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    // mode=rw: SQLite opens the file but never creates it.
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)
        + (mode == Open::ExistingOnly ? QLatin1String("?mode=rw") : QLatin1String("?mode=rwc"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    db.setDatabaseName(uri);
    if (!db.open()) {
        const QString message = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw StoreError({}, QStringLiteral("The formula library %1 cannot be opened: %2").arg(path, message));
    }
    if (mode == Open::ExistingOnly) {
        try {
            checkFixedTables();
            QSqlQuery schema(database());
            if (schema.exec(QStringLiteral("select sql from sqlite_master where type = 'table' and sql like '%numeric(%'"))) {
                while (schema.next())
                    noteNumericColumns(schema.value(0).toString());
            }
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName_);
            throw;
        }
    }
}

Store::~Store()
{
    {
        QSqlDatabase db = database();
        if (transactionDepth_ > 0)
            db.rollback();
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

void Store::createLibrary(const QString& directory)
{
    Store store(directory, Open::CreateNew);
    Transaction transaction(store);
    for (const QString& statement : Schema::fixedTables())
        store.execute(statement);
    transaction.commit();
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(connectionName_, false);
}

void Store::checkFixedTables()
{
    const QString path = filePath(directory_);
    QStringList missing;
    try {
        for (const QString& table : Schema::fixedTableNames()) {
            if (!tableExists(table))
                missing << table;
        }
    } catch (const StoreError& error) {
        throw StoreError({}, QStringLiteral("%1 is not a formula library: %2").arg(path, error.databaseMessage()));
    }
    if (!missing.isEmpty()) {
        throw StoreError({}, QStringLiteral("%1 is not a formula library: the table(s) %2 are missing.")
                                 .arg(path, missing.join(QLatin1String(", "))));
    }
}

Rows Store::query(const QString& statement)
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(JetDialect::toSqlite(statement)))
        throw StoreError(statement, errorText(query.lastError()));
    Rows rows;
    while (query.next())
        rows.append(query.record());
    return rows;
}

std::optional<QSqlRecord> Store::first(const QString& statement)
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(JetDialect::toSqlite(statement)))
        throw StoreError(statement, errorText(query.lastError()));
    if (!query.next())
        return std::nullopt;
    return query.record();
}

void Store::execute(const QString& statement)
{
    Transaction transaction(*this);
    QSqlQuery query(database());
    if (!query.exec(JetDialect::toSqlite(statement)))
        throw StoreError(statement, errorText(query.lastError()));
    const QString table = JetDialect::writtenTable(statement);
    if (table.isEmpty()) {
        roundedColumns_.clear(); // a table may have come or gone
        noteNumericColumns(statement);
    } else if (mayWriteNumericColumn(statement)) {
        for (const auto& [column, decimals] : roundedColumns(table)) {
            const QString round = QStringLiteral("round(%1, %2)").arg(column).arg(decimals);
            if (!query.exec(QStringLiteral("update %1 set %2 = %3 where typeof(%2) = 'real' and %2 <> %3")
                                .arg(table, column, round)))
                throw StoreError(statement, errorText(query.lastError()));
        }
    }
    transaction.commit();
}

void Store::noteNumericColumns(const QString& createStatement)
{
    static const QRegularExpression numericColumn(QStringLiteral(R"((\w+)\s+(?:numeric|decimal)\s*\()"),
                                                  QRegularExpression::CaseInsensitiveOption);
    for (const auto& match : numericColumn.globalMatch(createStatement))
        numericColumnNames_.insert(match.captured(1).toCaseFolded());
}

bool Store::mayWriteNumericColumn(const QString& statement) const
{
    static const QRegularExpression word(QStringLiteral(R"(\w+)"));
    for (const auto& match : word.globalMatch(statement)) {
        if (numericColumnNames_.contains(match.captured().toCaseFolded()))
            return true;
    }
    return false;
}

const QList<std::pair<QString, int>>& Store::roundedColumns(const QString& table)
{
    const QString key = table.toCaseFolded();
    auto cached = roundedColumns_.find(key);
    if (cached != roundedColumns_.end())
        return *cached;
    QList<std::pair<QString, int>> columns;
    QSqlQuery info(database());
    if (info.exec(QStringLiteral("pragma table_info(%1)").arg(table))) {
        while (info.next()) {
            const int decimals = JetDialect::decimalPlaces(info.value(2).toString());
            if (decimals >= 0)
                columns.append({info.value(1).toString(), decimals});
        }
    }
    return *roundedColumns_.insert(key, columns);
}

bool Store::tableExists(const QString& table)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ? collate nocase"));
    query.addBindValue(table);
    if (!query.exec())
        throw StoreError(query.lastQuery(), errorText(query.lastError()));
    return query.next();
}

Store::Transaction::Transaction(Store& store)
    : store_(store)
{
    if (store_.transactionDepth_++ == 0) {
        QSqlDatabase db = store_.database();
        if (!db.transaction()) {
            --store_.transactionDepth_;
            done_ = true;
            throw StoreError(QStringLiteral("begin transaction"), errorText(db.lastError()));
        }
    }
}

Store::Transaction::~Transaction()
{
    if (done_)
        return;
    // Only the outermost transaction talks to the database; an inner one that ends without
    // commit is an error on its way out, and the outermost rolls back.
    if (--store_.transactionDepth_ == 0)
        store_.database().rollback();
}

void Store::Transaction::commit()
{
    if (done_)
        return;
    done_ = true;
    if (--store_.transactionDepth_ > 0)
        return;
    QSqlDatabase db = store_.database();
    if (!db.commit()) {
        const QString message = errorText(db.lastError());
        db.rollback();
        throw StoreError(QStringLiteral("commit"), message);
    }
}
