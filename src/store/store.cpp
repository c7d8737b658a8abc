#include "store/store.h"

#include "store/jetdialect.h"
#include "store/schema.h"
#include "store/sqlitecall.h"
#include "store/sqltext.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <stdexcept>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// Statements kept prepared; more distinct ones than this are prepared afresh.
constexpr std::size_t MaxPrepared = 64;

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

    const bool fileWritable = mode == Open::CreateNew || writable(path);
    const bool folderWritable = writable(directory);
    if (access == Access::ReadOnly)
        readOnlyReason_ = QStringLiteral("opened for reading only");
    else if (!fileWritable)
        readOnlyReason_ = QStringLiteral("the file cannot be written");
    else if (!folderWritable)
        readOnlyReason_ = QStringLiteral("its folder cannot be written");
    // Opened for writing whenever the file allows it, even to read only: what a program stopped
    // while writing left in the file is undone by the first connection that can write, and
    // cannot be read before.
    openConnection(!fileWritable || !folderWritable);
    if (mode == Open::CreateNew)
        return;
    try {
        if (access == Access::ReadOnly)
            run(QStringLiteral("pragma query_only = 1"), {});
        readSchema();
        checkFixedTables();
        if (!readOnly()) {
            upgradeSchema();
            convertOlderLayout();
        }
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
    if (!readOnly && readOnlyReason_.isEmpty() && sqlite3_db_readonly(connection(), "main") == 1)
        readOnlyReason_ = QStringLiteral("the file cannot be written");
}

sqlite3* Store::connection() const
{
    const QVariant handle = database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw std::logic_error("Store without an SQLite connection");
    return *static_cast<sqlite3* const*>(handle.data());
}

void Store::closeConnection()
{
    prepared_.clear();
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
    // Tables made or dropped by what was undone are as they were before it.
    itemTables_.clear();
    try {
        readSchema();
    } catch (const StoreError&) {
    }
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

QSqlQuery& Store::run(const QString& statement, const QVariantList& values)
{
    for (const QVariant& value : values) {
        if (value.typeId() == QMetaType::QString && !value.toString().isValidUtf16())
            throw StoreError(statement, QStringLiteral("a lone UTF-16 surrogate"), StoreError::Kind::BadText);
    }
    // The same few statements run again and again (a click, the reset of thousands of counters),
    // so each is prepared once.
    auto prepared = prepared_.find(statement);
    if (prepared == prepared_.end()) {
        auto fresh = std::make_unique<QSqlQuery>(database());
        fresh->setForwardOnly(true);
        if (!fresh->prepare(statement))
            throw failure(statement, fresh->lastError());
        if (prepared_.size() >= MaxPrepared)
            prepared_.clear();
        prepared = prepared_.emplace(statement, std::move(fresh)).first;
    }
    QSqlQuery& query = *prepared->second;
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), bindable(values.at(i)));
    if (!query.exec())
        throw failure(statement, query.lastError());
    return query;
}

QSqlQuery& Store::runTranslated(const QString& statement, const QVariantList& values)
{
    return runTranslated(statement, tokenizeSql(statement), values);
}

QSqlQuery& Store::runTranslated(const QString& statement, const SqlTokens& tokens, const QVariantList& values)
{
    const auto attempt = [&]() -> QSqlQuery& {
        const ItemTables::Statement sqlite = translated(statement, tokens, values);
        return run(sqlite.text, sqlite.values);
    };
    try {
        return attempt();
    } catch (const StoreError& error) {
        // Another program may have made, dropped or moved tables since they were read (as when
        // it brought the library to today's layout): known again, the statement runs once more.
        // A transaction looks before its first statement.
        if (transactionDepth_ > 0 || error.kind() != StoreError::Kind::Refused || !followSchemaChanges())
            throw;
    }
    return attempt();
}

ItemTables::Statement Store::translated(const QString& statement, const SqlTokens& tokens, const QVariantList& values)
{
    const qsizetype at = ItemTables::tableToken(tokens);
    if (at >= 0 && !tokens.at(0).is("create") && !tokens.at(0).is("drop") && !tokens.at(0).is("alter")) {
        const QString table = tokens.at(at).text;
        if (const std::optional<ItemTables::Columns> columns = itemTable(table)) {
            QString problem;
            const auto sqlite = ItemTables::translate(statement, tokens, at, table, *columns, values, problem);
            if (!sqlite)
                throw refusal(statement, problem);
            return *sqlite;
        }
    }
    return {JetDialect::toSqlite(statement), values};
}

StoreError Store::refusal(const QString& statement, const QString& problem) const
{
    return StoreError(statement, problem, StoreError::Kind::Refused, path());
}

StoreError Store::failure(const QString& statement, const QSqlError& error)
{
    const QString message = errorText(error);
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreError(statement, message, StoreError::Kind::Busy, path());
    case SQLITE_READONLY:
        // A change left unfinished, which only a connection that may write can undo.
        if (const int extended = sqlite3_extended_errcode(connection());
            extended == SQLITE_READONLY_ROLLBACK || extended == SQLITE_READONLY_RECOVERY)
            return StoreError(statement, message, StoreError::Kind::Unfinished, path());
        return StoreError(statement, message, StoreError::Kind::ReadOnly, path());
    case SQLITE_CANTOPEN:
        return StoreError(statement, message, StoreError::Kind::ReadOnly, path());
    case SQLITE_FULL:
        return StoreError(statement, message, StoreError::Kind::DiskFull, path());
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
    QSqlQuery& query = runTranslated(statement, values);
    Rows rows;
    while (query.next())
        rows.append(query.record());
    if (query.lastError().isValid())
        throw failure(statement, query.lastError());
    query.finish();
    return rows;
}

QByteArrayView Store::TextRow::utf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QByteArrayView(text, sqlite3_column_bytes(statement_, column));
}

void Store::forEachText(const QString& statement, const std::function<void(const TextRow&)>& row)
{
    // A catalog's or formula's table comes with its name to bind.
    const ItemTables::Statement sqlite = translated(statement, tokenizeSql(statement), {});
    const int status = runSqlite(connection(), sqlite.text, sqlite.values, [&row](sqlite3_stmt* prepared) { row(TextRow(prepared)); });
    if (status != SQLITE_DONE) {
        throw failure(statement, QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(connection())),
                                           QSqlError::StatementError, QString::number(status)));
    }
}

std::optional<QSqlRecord> Store::first(const QString& statement, const QVariantList& values)
{
    QSqlQuery& query = runTranslated(statement, values);
    std::optional<QSqlRecord> row;
    if (query.next())
        row = query.record();
    else if (query.lastError().isValid())
        throw failure(statement, query.lastError());
    // An unfinished query would hold a read lock on the file.
    query.finish();
    return row;
}

void Store::execute(const QString& statement, const QVariantList& values)
{
    refuseWrites(statement);
    // First, so that the tables are known as the file has them now.
    Transaction transaction(*this);
    const SqlTokens tokens = tokenizeSql(statement);
    const qsizetype at = ItemTables::tableToken(tokens);
    const bool itemTableChange = at >= 0 && (tokens.at(0).is("create") || tokens.at(0).is("drop"))
        && !isSqliteTable(tokens.at(at).text) && sqliteTables_.contains(foldedName(ItemTables::Definitions));
    if (itemTableChange && tokens.at(0).is("create")) {
        createItemTable(statement, tokens, at);
    } else if (itemTableChange) {
        dropItemTable(statement, tokens, at);
    } else {
        runTranslated(statement, tokens, storedValues(statement, values));
        if (JetDialect::changesSchema(statement))
            keepTableNames(tokens, at);
    }
    transaction.commit();
}

QVariantList Store::storedValues(const QString& statement, const QVariantList& values)
{
    if (values.isEmpty())
        return values;
    const JetDialect::WriteShape shape = JetDialect::writeShape(statement);
    if (shape.table.isEmpty())
        return values;
    const QHash<QString, ColumnType> types = columnTypes(shape.table);
    QVariantList stored = values;
    for (qsizetype i = 0; i < std::min(stored.size(), shape.placeholderColumns.size()); ++i) {
        const auto type = types.find(shape.placeholderColumns.at(i).toLower());
        if (type == types.end())
            continue;
        ColumnType::Misfit misfit;
        const std::optional<QVariant> value = type->stored(stored.at(i), misfit);
        if (!value)
            throw StoreError(statement, unfitValue(shape, values, i, types, misfit), path());
        stored[i] = *value;
    }
    return stored;
}

std::optional<QVariant> Store::storedValue(const QString& table, const QString& column, const QVariant& value)
{
    ColumnType::Misfit misfit;
    return columnTypes(table).value(column.toLower()).stored(value, misfit);
}

UnfitValue Store::unfitValue(const JetDialect::WriteShape& shape, const QVariantList& values, qsizetype at,
                             const QHash<QString, ColumnType>& types, ColumnType::Misfit misfit)
{
    // The row's own value of a column, as the statement writes it or finds the row by it.
    const auto rowValue = [&](const char* column) {
        for (const QStringList* columns : {&shape.placeholderColumns, &shape.conditionColumns}) {
            for (qsizetype i = 0; i < std::min(columns->size(), values.size()); ++i) {
                if (columns->at(i).compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
                    return values.at(i).toString();
            }
        }
        return QString();
    };
    UnfitValue unfit;
    unfit.tableName = shape.table;
    unfit.column = shape.placeholderColumns.at(at);
    unfit.value = values.at(at).toString();
    unfit.misfit = misfit;
    unfit.rowName = rowValue("name");
    unfit.rowSymbol = rowValue("varname");
    const QString table = foldedName(shape.table);
    if (table == QLatin1String("globalvariant"))
        unfit.table = UnfitValue::Table::GlobalVariables;
    else if (table == QLatin1String("cataconstruct"))
        unfit.table = UnfitValue::Table::Tree;
    else if (table == QLatin1String("pararesult"))
        unfit.table = UnfitValue::Table::History;
    else if (types.contains(QStringLiteral("calcount")) || types.contains(QStringLiteral("preci")))
        unfit.table = UnfitValue::Table::Formula;
    else if (types.contains(QStringLiteral("varname")) && types.contains(QStringLiteral("defvalue")))
        unfit.table = UnfitValue::Table::Catalog;
    // Only a formula's own row has these.
    for (const char* column : {"expression", "preci", "calcount"})
        unfit.formulaRow = unfit.formulaRow || shape.placeholderColumns.contains(QLatin1String(column), Qt::CaseInsensitive);
    // An item's table still bears its first name; the item may be named otherwise by now.
    if (unfit.table == UnfitValue::Table::Formula || unfit.table == UnfitValue::Table::Catalog) {
        const auto item = first(QStringLiteral("select caption from CataConstruct where indtable=?"), {shape.table});
        unfit.owner = item ? item->value(0).toString() : shape.table;
    }
    return unfit;
}

QHash<QString, ColumnType> Store::columnTypes(const QString& table)
{
    QHash<QString, ColumnType> types;
    if (const std::optional<ItemTables::Columns> columns = itemTable(table)) {
        for (const ItemTables::Column& column : *columns)
            types.insert(column.name.toLower(), ColumnType(column.declaredType));
        return types;
    }
    for (const QSqlRecord& column : query(QStringLiteral("pragma table_info(%1)").arg(sqlName(table))))
        types.insert(column.value(1).toString().toLower(), ColumnType(column.value(2).toString()));
    return types;
}

std::optional<ItemTables::Columns> Store::itemTable(const QString& table)
{
    if (isSqliteTable(table) || !sqliteTables_.contains(foldedName(ItemTables::Definitions)))
        return std::nullopt;
    const QString key = foldedName(table);
    auto cached = itemTables_.find(key);
    if (cached == itemTables_.end()) {
        std::optional<ItemTables::Columns> columns;
        if (const auto row = first(QStringLiteral("select columns from %1 where name = ?").arg(ItemTables::Definitions), {table}))
            columns = parsedDefinition(row->value(0).toString());
        cached = itemTables_.insert(key, columns);
    }
    return *cached;
}

std::optional<ItemTables::Columns> Store::parsedDefinition(const QString& definition)
{
    // Catalogs' tables share one definition, formulas' tables another.
    auto parsed = definitions_.find(definition);
    if (parsed == definitions_.end()) {
        QString problem;
        parsed = definitions_.insert(definition, ItemTables::declaredColumns(definition, problem));
    }
    return *parsed;
}

void Store::createItemTable(const QString& statement, const SqlTokens& tokens, qsizetype at)
{
    const QString table = tokens.at(at).text;
    if (itemTable(table))
        throw refusal(statement, QStringLiteral("table %1 already exists").arg(table));
    const qsizetype end = at + 1 < tokens.size() && tokens.at(at + 1).isPunctuation('(') ? closingParenthesis(tokens, at + 1) : -1;
    if (end < 0)
        throw refusal(statement, QStringLiteral("a table needs its columns"));
    QString problem;
    const auto columns = ItemTables::declaredColumns(textBetween(statement, tokens, at + 2, end), problem);
    if (!columns)
        throw refusal(statement, problem);
    run(QStringLiteral("insert into %1 (name, columns) values (?, ?)").arg(ItemTables::Definitions),
        {table, ItemTables::definitionText(*columns)});
    itemTables_.insert(foldedName(table), columns);
}

void Store::dropItemTable(const QString& statement, const SqlTokens& tokens, qsizetype at)
{
    const QString table = tokens.at(at).text;
    if (!itemTable(table)) {
        if (tokens.at(2).is("if"))
            return;
        throw refusal(statement, QStringLiteral("no such table: %1").arg(table));
    }
    run(QStringLiteral("delete from %1 where tbl = ?").arg(ItemTables::Rows), {table});
    run(QStringLiteral("delete from %1 where name = ?").arg(ItemTables::Definitions), {table});
    itemTables_.insert(foldedName(table), std::nullopt);
}

bool Store::tableExists(const QString& table)
{
    return sqliteTables_.contains(foldedName(table)) || itemTable(table).has_value();
}

QSet<QString> Store::tableNames()
{
    QSet<QString> names = sqliteTables_;
    if (!sqliteTables_.contains(foldedName(ItemTables::Definitions)))
        return names;
    // Whoever wants every name is about to work on many tables: their definitions come along.
    for (const QSqlRecord& row : query(QStringLiteral("select name, columns from %1").arg(ItemTables::Definitions))) {
        const QString name = foldedName(row.value(0).toString());
        names.insert(name);
        itemTables_.insert(name, parsedDefinition(row.value(1).toString()));
    }
    return names;
}

Store::Transaction::Transaction(Store& store)
    : store_(store)
{
    if (store_.transactionDepth_++ > 0)
        return;
    bool begun = false;
    try {
        store_.run(QStringLiteral("begin"), {});
        begun = true;
        // Another program may have made or dropped tables since they were read.
        store_.followSchemaChanges();
    } catch (...) {
        --store_.transactionDepth_;
        done_ = true;
        if (begun)
            store_.rollback();
        throw;
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
