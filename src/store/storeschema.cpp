#include "store/store.h"

#include "store/layoutconversion.h"
#include "store/schema.h"
#include "store/sqltext.h"

#include <QSqlQuery>
#include <algorithm>

// What the store knows of the file's tables, kept in step with them, and the file brought up
// to what this version expects of it.

namespace {

// SQLite's own tables and the library's: never an item's. folded as foldedName() gives it.
bool isReservedTable(const QString& folded)
{
    if (folded.startsWith(QLatin1String("sqlite_")))
        return true;
    for (const QString& reserved : Schema::reservedTableNames()) {
        if (foldedName(reserved) == folded)
            return true;
    }
    return false;
}

} // namespace

void Store::readSchema()
{
    // Read first: a change made meanwhile is then found by the next look at the version.
    schemaVersion_ = schemaVersion();
    sqliteTables_.clear();
    for (const QSqlRecord& row : query(QStringLiteral("select name from sqlite_master where type = 'table'")))
        sqliteTables_.insert(foldedName(row.value(0).toString()));
}

qlonglong Store::schemaVersion()
{
    QSqlQuery& version = run(QStringLiteral("pragma schema_version"), {});
    const qlonglong value = version.next() ? version.value(0).toLongLong() : -1;
    version.finish();
    return value;
}

bool Store::followSchemaChanges()
{
    if (schemaVersion() == schemaVersion_)
        return false;
    itemTables_.clear();
    readSchema();
    return true;
}

void Store::checkFixedTables()
{
    QStringList missing;
    for (const QString& table : Schema::fixedTableNames()) {
        if (!sqliteTables_.contains(foldedName(table)))
            missing << table;
    }
    if (!missing.isEmpty()) {
        throw StoreError({}, QStringLiteral("the table(s) %1 are missing.").arg(missing.join(QLatin1String(", "))),
                         StoreError::Kind::NotALibrary, path());
    }
}

// Libraries made by earlier versions lack what later ones added: the caption index, and the
// tables that hold the items' tables (their old items' tables stay SQLite tables and go on
// working).
void Store::upgradeSchema()
{
    QStringList missing;
    if (!first(QStringLiteral("select 1 from sqlite_master where type = 'index' and name = ?"), {Schema::CaptionIndex}))
        missing << Schema::captionIndex();
    if (!sqliteTables_.contains(foldedName(ItemTables::Definitions)))
        missing << ItemTables::schema();
    if (missing.isEmpty())
        return;
    try {
        Transaction transaction(*this);
        for (const QString& statement : missing)
            execute(statement);
        transaction.commit();
    } catch (const StoreError& error) {
        // Another program writing just now: the library works without them this time.
        if (error.kind() != StoreError::Kind::Busy)
            throw;
    }
}

void Store::convertOlderLayout()
{
    const bool itemTablesHeld = sqliteTables_.contains(foldedName(ItemTables::Definitions));
    const bool othersTables = std::any_of(sqliteTables_.begin(), sqliteTables_.end(), [](const QString& table) {
        return !isReservedTable(table);
    });
    if (!itemTablesHeld || !othersTables)
        return;
    prepared_.clear();
    conversion_ = LayoutConversion::convert(connection());
    if (conversion_.damaged)
        markDamaged(conversion_.problem);
    if (conversion_.tables > 0)
        followSchemaChanges();
}

void Store::keepTableNames(const SqlTokens& tokens, qsizetype at)
{
    // One name at a time: reading them all again after every drop made deleting thousands of
    // tables take minutes.
    if (at >= 0 && tokens.at(0).is("create"))
        sqliteTables_.insert(foldedName(tokens.at(at).text));
    else if (at >= 0 && tokens.at(0).is("drop"))
        sqliteTables_.remove(foldedName(tokens.at(at).text));
    else if (at >= 0)
        readSchema(); // a table altered, perhaps renamed
    schemaVersion_ = schemaVersion();
}

bool Store::isSqliteTable(const QString& table) const
{
    const QString folded = foldedName(table);
    return sqliteTables_.contains(folded) || isReservedTable(folded);
}
