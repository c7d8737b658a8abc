#include "store/layoutconversion.h"

#include "store/itemtables.h"
#include "store/schema.h"
#include "store/sqlitecall.h"
#include "store/sqltext.h"
#include "store/sqltokens.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
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

// Names of the tables whose own index or trigger would be lost, or that a view or trigger names,
// folded: such a table must stay an SQLite table.
QSet<QString> tablesToKeep(const QList<SchemaObject>& objects)
{
    QSet<QString> kept;
    for (const SchemaObject& object : objects) {
        if (object.type == QLatin1String("index") || object.type == QLatin1String("trigger"))
            kept.insert(foldedName(object.table));
        if (object.type != QLatin1String("view") && object.type != QLatin1String("trigger"))
            continue;
        // Every name it holds, on its own or after a schema's name.
        for (const SqlToken& token : tokenizeSql(object.sql)) {
            if (token.type == SqlToken::QuotedName)
                kept.insert(foldedName(token.text));
            else if (token.type == SqlToken::Word)
                kept.insert(foldedName(token.text.section(QLatin1Char('.'), -1)));
        }
    }
    return kept;
}

// The columns of a table ItemRows can hold as an item's table, as ItemTables keeps them: read
// from the statement that made it, which must declare columns only, each a name and a type with
// nothing that ItemRows could not keep (a key, a default, NOT NULL, a collation of its own).
// Asking SQLite instead costs a statement per table, seconds for thousands of them; and most
// tables declare the same columns, so each declaration is read once.
class ColumnReader
{
public:
    std::optional<ItemTables::Columns> movableColumns(const SchemaObject& table)
    {
        const SqlTokens tokens = tokenizeSql(table.sql);
        // CREATE TABLE name ( columns ), and nothing after (WITHOUT ROWID, STRICT).
        if (tokens.size() < 5 || !tokens.at(0).is("create") || !tokens.at(1).is("table") || !tokens.at(3).isPunctuation('(')
            || closingParenthesis(tokens, 3) != tokens.size() - 1)
            return std::nullopt;
        const QString declared = table.sql.mid(tokens.at(3).start);
        auto read = read_.find(declared);
        if (read == read_.end())
            read = read_.insert(declared, columns(table.sql, tokens));
        return *read;
    }

private:
    static std::optional<ItemTables::Columns> columns(const QString& sql, const SqlTokens& tokens)
    {
        static const QRegularExpression plainColumn(
            QStringLiteral(R"(^\s*(\w+\s+\w+(?:\s*\([^)]*\))?)(?:\s+COLLATE\s+NOCASE)?(?:\s+NULL)?\s*$)"),
            QRegularExpression::CaseInsensitiveOption);
        QStringList definitions;
        for (const auto& [begin, end] : listItems(tokens, 4, tokens.size() - 1)) {
            const auto match = plainColumn.match(textBetween(sql, tokens, begin, end));
            if (!match.hasMatch())
                return std::nullopt;
            definitions << match.captured(1);
        }
        QString problem;
        return ItemTables::declaredColumns(definitions.join(QLatin1Char(',')), problem);
    }

    QHash<QString, std::optional<ItemTables::Columns>> read_;
};

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
    const bool qualified = name < tokens.size()
        && ((tokens.at(name).type == SqlToken::Word && tokens.at(name).text.contains(QLatin1Char('.')))
            || (name + 1 < tokens.size() && tokens.at(name + 1).text.startsWith(QLatin1Char('.'))));
    if (name >= tokens.size() || !tokens.at(name).isName() || qualified)
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
    QSet<QString> kept = tablesToKeep(objects);
    for (const QString& table : Schema::reservedTableNames())
        kept.insert(foldedName(table));
    QSet<QString> itemTables;
    run(connection, QStringLiteral("select indtable from main.CataConstruct"), {},
        [&itemTables](sqlite3_stmt* row) { itemTables.insert(foldedName(sqliteText(row, 0))); });
    // A table ItemTables holds already answers to that name.
    run(connection, QStringLiteral("select name from main.%1").arg(ItemTables::Definitions), {},
        [&itemTables](sqlite3_stmt* row) { itemTables.remove(foldedName(sqliteText(row, 0))); });
    QList<Movable> movable;
    ColumnReader reader;
    for (const SchemaObject& object : objects) {
        const QString folded = foldedName(object.name);
        if (object.type != QLatin1String("table") || kept.contains(folded) || isSqlitesOwn(object.name)
            || !itemTables.contains(folded))
            continue;
        if (auto columns = reader.movableColumns(object))
            movable.append({object.name, std::move(*columns)});
    }
    return movable;
}

// Tables moved by one statement: a statement per table costs more than the copy itself, and
// SQLite joins at most 500 selects in one.
constexpr qsizetype TablesPerStatement = 200;

// The definitions of tables into ItemTables and their rows into ItemRows, in the tables' order
// and each table's rows in theirs, a column a table lacks left empty as its statements would.
void moveRows(sqlite3* connection, const QList<Movable>& tables)
{
    const QStringList& rowColumns = ItemTables::rowColumns();
    QStringList definitions, selects;
    QVariantList values, names;
    for (const Movable& table : tables) {
        definitions << QStringLiteral("(?, ?)");
        values << table.table << ItemTables::definitionText(table.columns);
        QStringList selected;
        for (const QString& column : rowColumns) {
            const bool declared = std::any_of(table.columns.begin(), table.columns.end(), [&](const ItemTables::Column& c) {
                return c.name.compare(column, Qt::CaseInsensitive) == 0;
            });
            selected << (declared ? column : QStringLiteral("null"));
        }
        selects << QStringLiteral("select ?, %1 from main.%2").arg(selected.join(QLatin1Char(',')), sqlName(table.table));
        names << table.table;
    }
    run(connection, QStringLiteral("insert into %1.%2 (name, columns) values %3")
                        .arg(Image, ItemTables::Definitions, definitions.join(QLatin1Char(','))),
        values);
    run(connection, QStringLiteral("insert into %1.%2 (tbl,%3) %4")
                        .arg(Image, ItemTables::Rows, rowColumns.join(QLatin1Char(',')), selects.join(QLatin1String(" union all "))),
        names);
}

// A setting of the library's file, made the image's too.
void copySetting(sqlite3* connection, const char* setting)
{
    const QString name = QLatin1String(setting);
    run(connection, QStringLiteral("pragma %1.%2 = %3").arg(Image, name, firstText(connection, QStringLiteral("pragma main.") + name)));
}

// The library's content in today's layout, written to the empty database attached as Image:
// every table, index, view and trigger as it is, but the movable tables as rows of ItemTables
// and ItemRows, in one transaction.
void buildImage(sqlite3* connection, const QList<SchemaObject>& objects, const QList<Movable>& movable)
{
    // Settings that must precede the first table.
    for (const char* setting : {"page_size", "auto_vacuum"})
        copySetting(connection, setting);
    QSet<QString> moved;
    for (const Movable& table : movable)
        moved.insert(foldedName(table.table));
    run(connection, QStringLiteral("begin"));
    for (const char* setting : {"user_version", "application_id"})
        copySetting(connection, setting);
    bool sequences = false;
    for (const SchemaObject& object : objects) {
        sequences = sequences || object.name == QLatin1String("sqlite_sequence");
        if (object.type != QLatin1String("table") || isSqlitesOwn(object.name) || moved.contains(foldedName(object.name)))
            continue;
        make(connection, object);
        run(connection, QStringLiteral("insert into %1.%2 select * from main.%2").arg(Image, sqlName(object.name)));
    }
    for (qsizetype first = 0; first < movable.size(); first += TablesPerStatement)
        moveRows(connection, movable.mid(first, TablesPerStatement));
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
        // Whatever was begun is undone: the library is as it was.
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
