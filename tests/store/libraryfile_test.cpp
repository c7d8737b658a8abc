#include "calc/computation.h"
#include "editor/formulas.h"
#include "libraryfile.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/deletions.h"
#include "olderlayout.h"
#include "samplelibrary.h"
#include "store/itemtables.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "unfinishedwrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes, qint64 at = -1)
{
    QFile file(path);
    QVERIFY(file.open(at < 0 ? QIODevice::WriteOnly : QIODevice::ReadWrite));
    if (at >= 0)
        QVERIFY(file.seek(at));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Offset in the file of the first page of a table's data.
qint64 pageOf(const QString& directory, const QString& table)
{
    Store store(directory, Store::Access::ReadOnly);
    return (store.first("select rootpage from sqlite_master where name=?", {table})->value(0).toLongLong() - 1)
        * store.first("pragma page_size")->value(0).toLongLong();
}

// Another program's connection to the library, holding the lock begin took until it closes.
std::shared_ptr<sqlite3> otherProgram(const QString& path, const char* begin)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const std::shared_ptr<sqlite3> other(db, sqlite3_close);
    return sqlite3_exec(db, begin, nullptr, nullptr, nullptr) == SQLITE_OK ? other : nullptr;
}

// Runs statements on the file as another program, past the store's rules.
void runElsewhere(const QString& path, const QStringList& statements)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
    for (const QString& statement : statements)
        QVERIFY2(sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK, sqlite3_errmsg(db));
}

// Every catalog's and formula's table as the store reads it, a line per row, in tree order.
QStringList itemContents(Store& store)
{
    QStringList lines;
    for (const QSqlRecord& item : store.query("select caption, indtable from CataConstruct order by ID")) {
        for (const QSqlRecord& row : store.query("select * from " + sqlName(item.value(1).toString()))) {
            QStringList fields{item.value(0).toString()};
            for (int i = 0; i < row.count(); ++i)
                fields << row.fieldName(i) + '=' + row.value(i).toString();
            lines << fields.join('|');
        }
    }
    return lines;
}

QStringList sqliteTables(Store& store)
{
    QStringList names;
    for (const QSqlRecord& row : store.query("select name from sqlite_master where type='table' order by name"))
        names << row.value(0).toString();
    return names;
}

} // namespace

class LibraryFileTest : public QObject
{
    Q_OBJECT

private:
    std::optional<QTemporaryDir> dir_;
    QString path_;

private slots:
    void init()
    {
        path_ = Store::filePath(dir_.emplace().path());
        createLibraryFile(dir_->path(), fillSampleLibrary);
    }

    // Each trouble with the file is named for what it is, and the file is left as it was. (No
    // file, an empty one and one of text: the troubled library's start test.)
    void troubledFilesAreRecognised_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("kind");
        QTest::newRow("truncated") << "truncate" << int(StoreError::Kind::Damaged);
        QTest::newRow("locked by a writer") << "lock" << int(StoreError::Kind::Busy);
    }
    void troubledFilesAreRecognised()
    {
        QFETCH(QString, damage);
        QFETCH(int, kind);
        std::shared_ptr<sqlite3> other;
        if (damage == "truncate")
            QVERIFY(QFile::resize(path_, QFileInfo(path_).size() / 2));
        else
            QVERIFY(other = otherProgram(path_, "begin exclusive"));
        const QByteArray before = fileBytes(path_);
        try {
            Store store(dir_->path());
            QFAIL("opened a troubled library");
        } catch (const StoreError& error) {
            QCOMPARE(int(error.kind()), kind);
        }
        QCOMPARE(fileBytes(path_), before);
    }

    // A library that cannot be written now can still be read; a write is refused for what
    // stands in its way, and leaves the file as it was. A full disk is told as such, with what
    // to do. (A library opened for reading, found damaged or locked by another program: the
    // troubled library's window test.)
    void writesRefused_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<int>("kind");
        QTest::newRow("file without write permission") << "permissions" << int(StoreError::Kind::ReadOnly);
        QTest::newRow("disk full") << "full" << int(StoreError::Kind::DiskFull);
    }
    void writesRefused()
    {
        QFETCH(QString, trouble);
        QFETCH(int, kind);
        if (trouble == "permissions" && ::geteuid() == 0)
            QSKIP("root writes to read-only files");
        if (trouble == "permissions")
            QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner));
        Store store(dir_->path());
        QCOMPARE(store.readOnly(), kind == int(StoreError::Kind::ReadOnly));
        // The file may grow no more, as on a disk without room.
        if (trouble == "full")
            store.query("pragma max_page_count = " + store.first("pragma page_count")->value(0).toString());

        QVERIFY(!store.query("select * from CataConstruct").isEmpty());
        const QByteArray before = fileBytes(path_);
        try {
            store.execute("insert into GlobalVariant (varname,name,descr) values ('big','Big',?)", {QString(100000, 'd')});
            QFAIL("wrote past what stands in the way");
        } catch (const StoreError& error) {
            QCOMPARE(int(error.kind()), kind);
            if (trouble == "full") {
                QCOMPARE(error.userText(), "The disk that holds the formula library " + path_
                                               + " is full. Nothing was changed; free some space on it and try again.");
            }
        }
        QCOMPARE(fileBytes(path_), before);
    }

    // A library of the older layout, every item's table an SQLite table, is brought to today's
    // layout when it is opened for writing: every item's table reads as before, names of every
    // kind included, and the rest of the file stays. Read-only, damaged, in use by another
    // program, or failing on the way, the file stays exactly as it was and still works; once the
    // trouble is gone, the next opening brings it.
    void olderLayoutIsConverted_data()
    {
        QTest::addColumn<QString>("trouble"); // empty: none
        QTest::newRow("converted") << "";
        QTest::newRow("opened for reading") << "reading";
        QTest::newRow("damaged") << "damage";
        QTest::newRow("another program reading") << "reader";
        QTest::newRow("a search index it cannot copy") << "search";
    }
    void olderLayoutIsConverted()
    {
        QFETCH(QString, trouble);
        const QString oddName = QString::fromUtf8("a\"b'c]Länge𝔄");
        {
            Store store(dir_->path());
            Catalogs::add(store, "Order", "", "a keyword");
            Formulas::add(store, {oddName, "y", "m", "2*x", "", "3", {{"Length", "x", "m", "1.5", ""}}}, "Order");
            store.execute("update CataConstruct set caption=? where caption=?", {"Ohm", "OhmsLaw"});
            store.execute("update OhmsLaw set name=? where name=?", {"Ohm", "OhmsLaw"});
            store.execute("create view Captions as select caption from CataConstruct");
            store.execute("create index GlobalSymbols on GlobalVariant (varname)");
        }
        writeOlderLayout(dir_->path());
        // A catalog's table made by hand with a column no item table has, and more of the file.
        QStringList extras{"CREATE TABLE Extra (varname VARCHAR(20), name TEXT, note TEXT)",
                           "insert into Extra values ('e', 'Euler', 'kept')",
                           "insert into CataConstruct (caption,flag,belongto,indtable,isroot) values ('Extra',1,'Extra','Extra',1)",
                           "pragma user_version = 7"};
        // Made by the version before: the tables of today's layout are there, empty.
        if (!trouble.isEmpty())
            extras += ItemTables::schema();
        // A table of no item: damaged, or a search index, whose tables the copy stops at.
        extras << (trouble == "search" ? "CREATE VIRTUAL TABLE Aside USING fts5(a, b)" : "CREATE TABLE Aside (a INT, b INT)")
               << "insert into Aside (a) values (1)";
        runElsewhere(path_, extras);
        QStringList contents, tables;
        {
            Store reader(dir_->path(), Store::Access::ReadOnly);
            contents = itemContents(reader);
            tables = sqliteTables(reader);
        }
        QVERIFY(contents.join('\n').contains(oddName + "|varname=x|name=Length") && tables.contains(oddName));
        std::shared_ptr<sqlite3> other;
        if (trouble == "damage")
            writeBytes(path_, QByteArray(512, '\xee'), pageOf(dir_->path(), "Aside") + 8);
        if (trouble == "reader")
            QVERIFY(other = otherProgram(path_, "begin; select count(*) from CataConstruct;"));
        const QByteArray before = fileBytes(path_);

        const bool converts = trouble.isEmpty();
        Store store(dir_->path(), trouble == "reading" ? Store::Access::ReadOnly : Store::Access::ReadWrite);
        const LayoutConversion::Outcome& outcome = store.conversion();
        QCOMPARE(outcome.tables, converts ? int(tables.size()) - 6 : 0);
        QCOMPARE(outcome.problem.isEmpty(), converts || trouble == "reading");
        QCOMPARE(outcome.busy, trouble == "reader");
        QCOMPARE(store.damaged(), trouble == "damage");
        if (!converts)
            QCOMPARE(fileBytes(path_), before);
        QCOMPARE(itemContents(store), contents);
        QCOMPARE(sqliteTables(store), converts ? (QStringList{"Aside", "CataConstruct", "Extra", "GlobalVariant", "ItemRows",
                                                              "ItemTables", "ParaResult", "sqlite_sequence"}) : tables);
        QCOMPARE(store.query("select * from Captions").size(), store.query("select * from CataConstruct").size());
        QCOMPARE(store.first("pragma user_version")->value(0).toInt(), 7);
        QVERIFY(store.first("select * from sqlite_master where name='GlobalSymbols'"));
        other.reset();
        if (trouble != "reading" && trouble != "reader")
            return;
        // Brought to today's layout by another program, the library still works for this one.
        Store converting(dir_->path());
        QVERIFY(converting.conversion().tables > 0);
        QCOMPARE(itemContents(store), contents);
        if (trouble == "reader") {
            Deletions::deleteItem(store, "Ohm");
            QVERIFY(!converting.tableExists("OhmsLaw"));
        }
    }

    // A change a killed program left half-written is undone by whoever opens the library next
    // (the command-line tool's test reads past one); where it cannot be undone, that is what is
    // said, and the change is left for a program that may write.
    void unfinishedChangeThatCannotBeUndone()
    {
        if (::geteuid() == 0)
            QSKIP("root writes to read-only files");
        const QTemporaryDir copy;
        copyMidWrite(dir_->path(), copy.path());
        const QString path = Store::filePath(copy.path());
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        try {
            Store store(copy.path(), Store::Access::ReadOnly);
            QFAIL("read past a change it could not undo");
        } catch (const StoreError& error) {
            QCOMPARE(error.kind(), StoreError::Kind::Unfinished);
        }
        QVERIFY(QFile::exists(path + "-journal"));
    }

    // calcora-initdb makes a sample library whose every formula computes with its stored
    // defaults; it never replaces a file, and wrong arguments get the usage and no file.
    void initdbTool_data()
    {
        QTest::addColumn<QStringList>("arguments"); // DIR stands for an empty directory
        QTest::addColumn<int>("exitCode");
        QTest::newRow("sample, directories created") << QStringList{"--sample", "DIR/a/b"} << 0;
        QTest::newRow("refuses an existing file") << QStringList{"--sample", "DIR"} << 1;
        QTest::newRow("no directory") << QStringList{"--sample"} << 2;
    }
    void initdbTool()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QByteArray junk("not a formula library\n");
        if (exitCode == 1)
            writeBytes(Store::filePath(dir.path()), junk);
        arguments.replaceInStrings(QStringLiteral("DIR"), dir.path());
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(CALCORA_INITDB), arguments);
        QVERIFY(tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(tool.exitCode() == exitCode, qPrintable(err));
        QCOMPARE(err.isEmpty(), exitCode == 0);
        QCOMPARE(err.contains("Usage:"), exitCode == 2);
        if (exitCode != 0) {
            QCOMPARE(fileBytes(Store::filePath(dir.path())), exitCode == 1 ? junk : QByteArray());
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), exitCode == 1 ? 1 : 0);
            return;
        }
        Store store(arguments.constLast()); // opens only a file that holds the fixed tables
        const Rows formulas = store.query("select caption from CataConstruct where flag=0");
        QVERIFY(!formulas.isEmpty());
        for (const QSqlRecord& formula : formulas) {
            const QString caption = formula.value(0).toString();
            const Computation::Evaluation evaluation = Computation::evaluate(
                Computation::formulaRow(store, caption)->value("expression").toString(), Computation::parameters(store, caption));
            QVERIFY2(evaluation.value, qPrintable(caption + ": " + evaluation.failure));
        }
    }
};

QTEST_GUILESS_MAIN(LibraryFileTest)
#include "libraryfile_test.moc"
