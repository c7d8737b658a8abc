#include "store/store.h"

#include "store/jetdialect.h"
#include "store/schema.h"
#include "store/sqltext.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// How long a statement waits for another program's lock before the user is told: long
// enough for a short write of another program to pass, short enough not to look frozen.
constexpr int BusyTimeoutMs = 500;

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

bool writable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// Null strings bind as NULL; a field left empty is an empty text, as typed.
QVariant bindable(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

// Makes a directory entry (the renamed library) as durable as the data it names.
void syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString Store::filePath(const QString& directory)
{
    return QDir(directory).absoluteFilePath(QStringLiteral("caldb.mdb"));
}

Store::Store(const QString& directory, Access access)
    : Store(directory, Open::ExistingOnly, access)
{
}

Store::Store(const QString& directory, Open mode, Access access)
    : directory_(directory)
    , connectionName_(nextConnectionName())
{
    const QString path = filePath(directory);
    if (mode == Open::ExistingOnly && !QFileInfo(path).isFile())
        throw StoreError({}, QStringLiteral("no such file"), StoreError::Kind::Missing, path);
    if (mode == Open::CreateNew && QFileInfo::exists(path))
        throw StoreError({}, QStringLiteral("%1 exists already; it is left as it is.").arg(path));

    if (access == Access::ReadOnly)
        readOnlyReason_ = QStringLiteral("opened for reading only");
    else if (mode == Open::ExistingOnly && !writable(path))
        readOnlyReason_ = QStringLiteral("the file cannot be written");
    else if (!writable(directory))
        readOnlyReason_ = QStringLiteral("its folder cannot be written");
    openConnection(mode == Open::ExistingOnly && readOnly());
    if (mode == Open::CreateNew)
        return;
    try {
        checkFixedTables();
        if (!readOnly())
            indexCaptions();
    } catch (...) {
        closeConnection();
        throw;
    }
}

Store::~Store()
{
    closeConnection();
}

void Store::openConnection(bool readOnly)
{
    const QString path = filePath(directory_);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    // mode=rw opens the file but never creates it; mode=rwc is only for a new library.
    const QString mode = readOnly ? QStringLiteral("ro") : QFileInfo::exists(path) ? QStringLiteral("rw") : QStringLiteral("rwc");
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=") + mode);
    if (!db.open()) {
        const QString message = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw StoreError({}, message, StoreError::Kind::Damaged, path);
    }
    // A file system mounted read-only, for one, lets SQLite open the file for reading only.
    const QVariant handle = db.driver()->handle();
    if (!readOnly && handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        if (sqlite3_db_readonly(*static_cast<sqlite3* const*>(handle.data()), "main") == 1)
            readOnlyReason_ = QStringLiteral("the file cannot be written");
    }
}

void Store::closeConnection()
{
    if (transactionDepth_ > 0)
        rollback();
    database().close();
    QSqlDatabase::removeDatabase(connectionName_);
}

void Store::rollback()
{
    // SQLite may have rolled back already (after a full disk or a lock that was not given up);
    // then there is nothing left to undo.
    QSqlQuery(database()).exec(QStringLiteral("rollback"));
}

void Store::createLibrary(const QString& directory)
{
    Store store(directory, Open::CreateNew, Access::ReadWrite);
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
    const QSet<QString> tables = tableNames();
    QStringList missing;
    for (const QString& table : Schema::fixedTableNames()) {
        if (!tables.contains(table.toLower()))
            missing << table;
    }
    if (!missing.isEmpty()) {
        throw StoreError({}, QStringLiteral("the table(s) %1 are missing.").arg(missing.join(QLatin1String(", "))),
                         StoreError::Kind::NotALibrary, path());
    }
}

// Every command finds its item by caption; libraries made before the index existed get it here.
void Store::indexCaptions()
{
    if (first(QStringLiteral("select 1 from sqlite_master where type = 'index' and name = ?"),
              {Schema::CaptionIndex}))
        return;
    try {
        execute(Schema::captionIndex());
    } catch (const StoreError& error) {
        // Another program writing just now: the library works without it, only slower.
        if (error.kind() != StoreError::Kind::Busy)
            throw;
    }
}

QSqlQuery Store::run(const QString& statement, const QVariantList& values)
{
    for (const QVariant& value : values) {
        if (value.typeId() == QMetaType::QString && !value.toString().isValidUtf16())
            throw StoreError(statement, QStringLiteral("a lone UTF-16 surrogate"), StoreError::Kind::BadText);
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const QString translated = JetDialect::toSqlite(statement);
    bool ok = false;
    if (values.isEmpty()) {
        ok = query.exec(translated);
    } else if ((ok = query.prepare(translated))) {
        for (const QVariant& value : values)
            query.addBindValue(bindable(value));
        ok = query.exec();
    }
    if (!ok)
        throw failure(statement, query.lastError());
    return query;
}

StoreError Store::failure(const QString& statement, const QSqlError& error)
{
    const QString message = errorText(error);
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreError(statement, message, StoreError::Kind::Busy, path());
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
        return StoreError(statement, message, StoreError::Kind::ReadOnly, path());
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        markDamaged(message);
        return StoreError(statement, message, StoreError::Kind::Damaged, path());
    default:
        return StoreError(statement, message, StoreError::Kind::Refused, path());
    }
}

void Store::markDamaged(const QString& report)
{
    if (damage_.isEmpty())
        damage_ = report.isEmpty() ? QStringLiteral("malformed") : report;
}

void Store::refuseWrites(const QString& statement) const
{
    if (!damage_.isEmpty())
        throw StoreError(statement, damage_, StoreError::Kind::Damaged, path());
    if (readOnly())
        throw StoreError(statement, readOnlyReason_, StoreError::Kind::ReadOnly, path());
}

Rows Store::query(const QString& statement, const QVariantList& values)
{
    QSqlQuery query = run(statement, values);
    Rows rows;
    while (query.next())
        rows.append(query.record());
    if (query.lastError().isValid())
        throw failure(statement, query.lastError());
    return rows;
}

QByteArrayView Store::TextRow::utf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QByteArrayView(text, sqlite3_column_bytes(statement_, column));
}

void Store::forEachText(const QString& statement, const std::function<void(const TextRow&)>& row)
{
    const QVariant handle = database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw std::logic_error("Store::forEachText without an SQLite connection");
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.data());
    const QByteArray text = JetDialect::toSqlite(statement).toUtf8();
    sqlite3_stmt* prepared = nullptr;
    int status = sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &prepared, nullptr);
    // Finalized however the walk ends, a throwing row included.
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finalizer(prepared, sqlite3_finalize);
    while (status == SQLITE_OK || status == SQLITE_ROW) {
        status = sqlite3_step(prepared);
        if (status == SQLITE_ROW)
            row(TextRow(prepared));
    }
    if (status != SQLITE_DONE) {
        throw failure(statement, QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(connection)),
                                           QSqlError::StatementError, QString::number(status)));
    }
}

std::optional<QSqlRecord> Store::first(const QString& statement, const QVariantList& values)
{
    QSqlQuery query = run(statement, values);
    if (query.next())
        return query.record();
    if (query.lastError().isValid())
        throw failure(statement, query.lastError());
    return std::nullopt;
}

void Store::execute(const QString& statement, const QVariantList& values)
{
    refuseWrites(statement);
    const QVariantList stored = storedValues(statement, values);
    Transaction transaction(*this);
    run(statement, stored);
    if (JetDialect::changesSchema(statement))
        columnTypes_.clear();
    transaction.commit();
}

QVariantList Store::storedValues(const QString& statement, const QVariantList& values)
{
    const JetDialect::WriteShape shape = JetDialect::writeShape(statement);
    if (shape.table.isEmpty())
        return values;
    const QHash<QString, ColumnType>& types = columnTypes(shape.table);
    QVariantList stored = values;
    for (qsizetype i = 0; i < std::min(stored.size(), shape.placeholderColumns.size()); ++i) {
        const auto type = types.find(shape.placeholderColumns.at(i).toLower());
        if (type == types.end())
            continue;
        QString problem;
        const std::optional<QVariant> value = type->stored(stored.at(i), problem);
        if (!value) {
            throw StoreError(statement, QStringLiteral("the column %1 cannot hold %2").arg(shape.placeholderColumns.at(i), problem),
                             StoreError::Kind::Refused, path());
        }
        stored[i] = *value;
    }
    return stored;
}

const QHash<QString, ColumnType>& Store::columnTypes(const QString& table)
{
    const QString key = table.toLower();
    auto cached = columnTypes_.find(key);
    if (cached != columnTypes_.end())
        return *cached;
    QHash<QString, ColumnType> types;
    for (const QSqlRecord& column : query(QStringLiteral("pragma table_info(%1)").arg(sqlName(table))))
        types.insert(column.value(1).toString().toLower(), ColumnType(column.value(2).toString()));
    return *columnTypes_.insert(key, types);
}

bool Store::tableExists(const QString& table)
{
    return first(QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ? collate nocase"), {table})
        .has_value();
}

QSet<QString> Store::tableNames()
{
    QSet<QString> names;
    for (const QSqlRecord& row : query(QStringLiteral("select name from sqlite_master where type = 'table'")))
        names.insert(row.value(0).toString().toLower());
    return names;
}

void Store::keepOnly(const QStringList& kept, const QStringList& emptied)
{
    refuseWrites(QStringLiteral("keep only ") + kept.join(QLatin1Char(',')));
    if (transactionDepth_ > 0)
        throw std::logic_error("Store::keepOnly inside a transaction");
    const QString fresh = path() + QStringLiteral(".new");
    QFile::remove(fresh); // left by an attempt that was cut short
    const auto keeps = [](const QStringList& tables, const QString& name) {
        return tables.contains(name, Qt::CaseInsensitive);
    };
    run(QStringLiteral("attach database ? as fresh"), {fresh});
    try {
        Transaction transaction(*this);
        const Rows schema = query(QStringLiteral("select type, tbl_name, sql from main.sqlite_master "
                                                 "where sql is not null order by type desc, rowid"));
        // Tables first (type "table" sorts after "index", hence desc), then their indexes.
        for (const QSqlRecord& object : schema) {
            const QString table = object.value(1).toString();
            if (!keeps(kept, table) && !keeps(emptied, table))
                continue;
            QString sql = object.value(2).toString();
            const QString head = object.value(0).toString() == QLatin1String("table") ? QStringLiteral("CREATE TABLE ")
                                                                                      : QStringLiteral("CREATE INDEX ");
            sql.insert(head.size(), QStringLiteral("fresh."));
            run(sql, {});
            if (keeps(kept, table) && object.value(0).toString() == QLatin1String("table"))
                run(QStringLiteral("insert into fresh.%1 select * from main.%1").arg(sqlName(table)), {});
        }
        if (first(QStringLiteral("select 1 from fresh.sqlite_master where name = 'sqlite_sequence'"))) {
            const QStringList sequenced = kept + emptied;
            for (const QString& table : sequenced) {
                run(QStringLiteral("insert into fresh.sqlite_sequence select * from main.sqlite_sequence "
                                   "where name = ? collate nocase"),
                    {table});
            }
        }
        transaction.commit();
    } catch (...) {
        try {
            run(QStringLiteral("detach database fresh"), {});
        } catch (const StoreError&) {
        }
        QFile::remove(fresh);
        throw;
    }
    run(QStringLiteral("detach database fresh"), {});
    replaceFile(fresh);
}

void Store::replaceFile(const QString& fresh)
{
    const QString target = path();
    QFile::setPermissions(fresh, QFile::permissions(target));
    database().close();
    const bool renamed = std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(target).constData()) == 0;
    if (!renamed)
        QFile::remove(fresh);
    else
        syncDirectory(directory_);
    QSqlDatabase db = database();
    if (!db.open())
        throw StoreError({}, errorText(db.lastError()), StoreError::Kind::Damaged, target);
    columnTypes_.clear();
    if (!renamed)
        throw StoreError({}, QStringLiteral("the new library file could not take the place of the old one"),
                         StoreError::Kind::ReadOnly, target);
}

Store::Transaction::Transaction(Store& store)
    : store_(store)
{
    if (store_.transactionDepth_++ == 0) {
        try {
            store_.run(QStringLiteral("begin"), {});
        } catch (...) {
            --store_.transactionDepth_;
            done_ = true;
            throw;
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
        store_.rollback();
}

void Store::Transaction::commit()
{
    if (done_)
        return;
    done_ = true;
    if (--store_.transactionDepth_ > 0)
        return;
    try {
        store_.run(QStringLiteral("commit"), {});
    } catch (...) {
        store_.rollback();
        throw;
    }
}
