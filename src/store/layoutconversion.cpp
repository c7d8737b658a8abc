#include "store/layoutconversion.h"

#include "store/itemtables.h"
#include "store/schema.h"
#include "store/sqlitecall.h"
#include "store/sqltext.h"
#include "store/sqltokens.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace {

// The schema the new content is built in, beside the library's own.
const QString Image = QStringLiteral("calcora_image");

// Why the conversion stopped; the library is left as it was.
struct Stop
{
    QString problem;
    bool busy = false;
    bool damaged = false;
};

Stop stopped(sqlite3* connection, int status)
{
    const int primary = status & 0xff;
    return {QString::fromUtf8(sqlite3_errmsg(connection)), primary == SQLITE_BUSY || primary == SQLITE_LOCKED,
            primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB};
}

void run(sqlite3* connection, const QString& statement, const QVariantList& values = {},
         const std::function<void(sqlite3_stmt*)>& row = {})
{
    const int status = runSqlite(connection, statement, values, row);
    if (status != SQLITE_DONE)
        throw stopped(connection, status);
}

QString firstText(sqlite3* connection, const QString& statement)
{
    QString text;
    run(connection, statement, {}, [&text](sqlite3_stmt* row) { text = sqliteText(row, 0); });
    return text;
}

// An object of the library's schema, as sqlite_master lists it.
struct SchemaObject
{
    QString type;
    QString name;
    QString table; // the table an index or trigger belongs to
    QString sql;   // empty for the indexes SQLite makes for a table's keys
};

QList<SchemaObject> schemaObjects(sqlite3* connection)
{
    QList<SchemaObject> objects;
    run(connection, QStringLiteral("select type, name, tbl_name, sql from main.sqlite_master order by rowid"), {},
        [&objects](sqlite3_stmt* row) {
            objects.append({sqliteText(row, 0), sqliteText(row, 1), sqliteText(row, 2), sqliteText(row, 3)});
        });
    return objects;
}

bool isSqlitesOwn(const QString& name)
{
    return name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

// Whether the statement names the table anywhere, on its own or after a schema's name.
bool mentions(const QString& statement, const QString& table)
{
    const QString folded = foldedName(table);
    for (const SqlToken& token : tokenizeSql(statement)) {
        if (token.type == SqlToken::QuotedName && foldedName(token.text) == folded)
            return true;
        if (token.type == SqlToken::Word && foldedName(token.text.section(QLatin1Char('.'), -1)) == folded)
            return true;
    }
    return false;
}

// The columns of a table ItemRows can hold as an item's table, as ItemTables keeps them.
std::optional<ItemTables::Columns> movableColumns(sqlite3* connection, const SchemaObject& table,
                                                  const QList<SchemaObject>& objects)
{
    if (!table.sql.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive))
        return std::nullopt; // a virtual table
    for (const SchemaObject& object : objects) {
        const bool belongs = (object.type == QLatin1String("index") || object.type == QLatin1String("trigger"))
            && foldedName(object.table) == foldedName(table.name);
        const bool named = (object.type == QLatin1String("view") || object.type == QLatin1String("trigger"))
            && mentions(object.sql, table.name);
        if (belongs || named)
            return std::nullopt;
    }
    QStringList definitions;
    bool plain = true;
    run(connection, QStringLiteral("select name, type, \"notnull\", dflt_value, pk, hidden from pragma_table_xinfo(?, 'main')"),
        {table.name}, [&](sqlite3_stmt* column) {
            definitions << sqliteText(column, 0) + QLatin1Char(' ') + sqliteText(column, 1);
            plain = plain && sqlite3_column_int(column, 2) == 0 && sqlite3_column_type(column, 3) == SQLITE_NULL
                && sqlite3_column_int(column, 4) == 0 && sqlite3_column_int(column, 5) == 0;
        });
    QString problem;
    return plain ? ItemTables::declaredColumns(definitions.join(QLatin1Char(',')), problem) : std::nullopt;
}

// The SQL that made an object of the main schema, making it in schema instead; empty when the
// object's name is given with a schema of its own.
QString inSchema(const QString& sql, const QString& schema)
{
    const SqlTokens tokens = tokenizeSql(sql);
    qsizetype name = 1;
    while (name < tokens.size()
           && (tokens.at(name).is("unique") || tokens.at(name).is("table") || tokens.at(name).is("index")
               || tokens.at(name).is("view") || tokens.at(name).is("trigger") || tokens.at(name).is("if")
               || tokens.at(name).is("not") || tokens.at(name).is("exists")))
        ++name;
    if (name >= tokens.size() || !tokens.at(name).isName() || (tokens.at(name).type == SqlToken::Word && tokens.at(name).text.contains(QLatin1Char('.')))
        || (name + 1 < tokens.size() && tokens.at(name + 1).text.startsWith(QLatin1Char('.'))))
        return {};
    QString inOther = sql;
    return inOther.insert(tokens.at(name).start, schema + QLatin1Char('.'));
}

void make(sqlite3* connection, const SchemaObject& object)
{
    const QString sql = inSchema(object.sql, Image);
    if (sql.isEmpty())
        throw Stop{QStringLiteral("the %1 %2 is not understood").arg(object.type, object.name)};
    run(connection, sql);
}

struct Movable
{
    QString table;
    ItemTables::Columns columns;
};

// The tables of items to move, in the order they were made.
QList<Movable> movableTables(sqlite3* connection, const QList<SchemaObject>& objects)
{
    QSet<QString> reserved;
    for (const QString& table : Schema::reservedTableNames())
        reserved.insert(foldedName(table));
    QSet<QString> itemTables;
    run(connection, QStringLiteral("select indtable from main.CataConstruct"), {},
        [&itemTables](sqlite3_stmt* row) { itemTables.insert(foldedName(sqliteText(row, 0))); });
    // A table ItemTables holds already answers to that name.
    run(connection, QStringLiteral("select name from main.%1").arg(ItemTables::Definitions), {},
        [&itemTables](sqlite3_stmt* row) { itemTables.remove(foldedName(sqliteText(row, 0))); });
    QList<Movable> movable;
    for (const SchemaObject& object : objects) {
        const QString folded = foldedName(object.name);
        if (object.type != QLatin1String("table") || reserved.contains(folded) || isSqlitesOwn(object.name)
            || !itemTables.contains(folded))
            continue;
        if (auto columns = movableColumns(connection, object, objects))
            movable.append({object.name, std::move(*columns)});
    }
    return movable;
}

// The library's content in today's layout, written to the empty database attached as Image:
// every table, index, view and trigger as it is, but the movable tables as rows of ItemTables
// and ItemRows, in one transaction.
void buildImage(sqlite3* connection, const QList<SchemaObject>& objects, const QList<Movable>& movable)
{
    // Settings that must precede the first table.
    for (const char* setting : {"page_size", "auto_vacuum"}) {
        run(connection, QStringLiteral("pragma %1.%2 = %3")
                            .arg(Image, QLatin1String(setting), firstText(connection, QStringLiteral("pragma main.%1").arg(QLatin1String(setting)))));
    }
    QSet<QString> moved;
    for (const Movable& table : movable)
        moved.insert(foldedName(table.table));
    run(connection, QStringLiteral("begin"));
    for (const char* setting : {"user_version", "application_id"}) {
        run(connection, QStringLiteral("pragma %1.%2 = %3")
                            .arg(Image, QLatin1String(setting), firstText(connection, QStringLiteral("pragma main.%1").arg(QLatin1String(setting)))));
    }
    bool sequences = false;
    for (const SchemaObject& object : objects) {
        sequences = sequences || object.name == QLatin1String("sqlite_sequence");
        if (object.type != QLatin1String("table") || isSqlitesOwn(object.name) || moved.contains(foldedName(object.name)))
            continue;
        make(connection, object);
        run(connection, QStringLiteral("insert into %1.%2 select * from main.%2").arg(Image, sqlName(object.name)));
    }
    for (const Movable& table : movable) {
        run(connection, QStringLiteral("insert into %1.%2 (name, columns) values (?, ?)").arg(Image, ItemTables::Definitions),
            {table.table, ItemTables::definitionText(table.columns)});
        QStringList columns;
        for (const ItemTables::Column& column : table.columns)
            columns << column.name;
        run(connection, QStringLiteral("insert into %1.%2 (tbl,%3) select ?,%3 from main.%4 order by rowid")
                            .arg(Image, ItemTables::Rows, columns.join(QLatin1Char(',')), sqlName(table.table)),
            {table.table});
    }
    for (const SchemaObject& object : objects) {
        if (object.type == QLatin1String("index") && !object.sql.isEmpty())
            make(connection, object);
    }
    if (sequences) {
        run(connection, QStringLiteral("delete from %1.sqlite_sequence").arg(Image));
        run(connection, QStringLiteral("insert into %1.sqlite_sequence select * from main.sqlite_sequence").arg(Image));
    }
    // Last, so that no trigger fires while the rows are copied.
    for (const SchemaObject& object : objects) {
        if (object.type == QLatin1String("view") || object.type == QLatin1String("trigger"))
            make(connection, object);
    }
    run(connection, QStringLiteral("commit"));
}

// Copies the database in file over the library, in one transaction.
void replaceContent(sqlite3* connection, const QString& file)
{
    sqlite3* image = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(file).constData(), &image, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(image, sqlite3_close);
    if (opened != SQLITE_OK)
        throw stopped(image, opened);
    sqlite3_backup* backup = sqlite3_backup_init(connection, "main", image, "main");
    if (!backup)
        throw stopped(connection, sqlite3_errcode(connection));
    const int copied = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (copied != SQLITE_DONE)
        throw stopped(connection, copied);
    if (finished != SQLITE_OK)
        throw stopped(connection, finished);
}

} // namespace

LayoutConversion::Outcome LayoutConversion::convert(sqlite3* connection)
{
    Outcome outcome;
    bool locked = false;
    try {
        const QList<SchemaObject> objects = schemaObjects(connection);
        const QList<Movable> movable = movableTables(connection, objects);
        if (movable.isEmpty())
            return outcome;
        if (firstText(connection, QStringLiteral("pragma main.journal_mode")).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
            throw Stop{QStringLiteral("its journal is kept in WAL mode")};
        // Held from the first read to the last write, so that no other program changes the
        // library in between, nor reads it half-replaced.
        run(connection, QStringLiteral("pragma main.locking_mode = exclusive"));
        locked = true;
        run(connection, QStringLiteral("begin exclusive"));
        run(connection, QStringLiteral("commit"));
        if (const QString check = firstText(connection, QStringLiteral("pragma main.quick_check(1)")); check != QLatin1String("ok"))
            throw Stop{check, false, true};
        const QTemporaryDir scratch;
        if (!scratch.isValid())
            throw Stop{QStringLiteral("no temporary folder: %1").arg(scratch.errorString())};
        const QString image = scratch.filePath(QStringLiteral("library.db"));
        run(connection, QStringLiteral("attach database ? as %1").arg(Image), {image});
        buildImage(connection, objects, movable);
        run(connection, QStringLiteral("detach database %1").arg(Image));
        replaceContent(connection, image);
        outcome.tables = int(movable.size());
    } catch (const Stop& stop) {
        // Whatever was begun is undone; the library itself was not written.
        runSqlite(connection, QStringLiteral("rollback"));
        runSqlite(connection, QStringLiteral("detach database %1").arg(Image));
        outcome.problem = stop.problem;
        outcome.busy = stop.busy;
        outcome.damaged = stop.damaged;
    }
    if (locked) {
        // The lock goes with the next read after the mode is back to normal.
        runSqlite(connection, QStringLiteral("pragma main.locking_mode = normal"));
        runSqlite(connection, QStringLiteral("select 1 from main.sqlite_master limit 1"));
    }
    return outcome;
}
