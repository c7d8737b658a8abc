#include "libraryfile.h"
#include "samplelibrary.h"
#include "store/integritycheck.h"
#include "store/store.h"

#include <QFile>
#include <QSignalSpy>
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
    Store store(directory);
    const auto row = store.first("select rootpage from sqlite_master where name=?", {table});
    const int pageSize = store.first("pragma page_size")->value(0).toInt();
    return qint64(row->value(0).toInt() - 1) * pageSize;
}

// Another program's connection to the library, holding a lock while it lives.
class OtherProgram
{
public:
    OtherProgram(const QString& path, const char* begin)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        ok_ = sqlite3_exec(db_, begin, nullptr, nullptr, nullptr) == SQLITE_OK
            && sqlite3_exec(db_, "insert into GlobalVariant (name) values ('other')", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~OtherProgram()
    {
        sqlite3_exec(db_, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    bool holdsLock() const { return ok_; }

private:
    sqlite3* db_ = nullptr;
    bool ok_ = false;
};

int kindOfOpening(const QString& directory)
{
    try {
        Store store(directory);
        return -1;
    } catch (const StoreError& error) {
        return int(error.kind());
    }
}

} // namespace

class LibraryFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir* dir_ = nullptr;
    QString path_;

private slots:
    void init()
    {
        dir_ = new QTemporaryDir;
        path_ = Store::filePath(dir_->path());
        createLibraryFile(dir_->path(), fillSampleLibrary);
    }
    void cleanup()
    {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
        delete dir_;
    }

    // Each trouble with the file is named for what it is, and the file is left as it was.
    void troubledFilesAreRecognised_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("kind");
        QTest::newRow("no file") << "remove" << int(StoreError::Kind::Missing);
        QTest::newRow("empty file") << "empty" << int(StoreError::Kind::NotALibrary);
        QTest::newRow("text file") << "text" << int(StoreError::Kind::Damaged);
        QTest::newRow("truncated") << "truncate" << int(StoreError::Kind::Damaged);
        QTest::newRow("table missing") << "drop" << int(StoreError::Kind::NotALibrary);
        QTest::newRow("locked by a writer") << "lock" << int(StoreError::Kind::Busy);
    }
    void troubledFilesAreRecognised()
    {
        QFETCH(QString, damage);
        QFETCH(int, kind);
        const QByteArray library = fileBytes(path_);
        std::unique_ptr<OtherProgram> other;
        if (damage == "remove")
            QFile::remove(path_);
        else if (damage == "empty")
            writeBytes(path_, {});
        else if (damage == "text")
            writeBytes(path_, "caption,flag\nMechanics,1\n");
        else if (damage == "truncate")
            QVERIFY(QFile::resize(path_, library.size() / 2));
        else if (damage == "drop")
            Store(dir_->path()).execute("drop table ParaResult");
        else if (damage == "lock") {
            other = std::make_unique<OtherProgram>(path_, "begin exclusive");
            QVERIFY(other->holdsLock());
        }
        const QByteArray before = fileBytes(path_);
        QCOMPARE(kindOfOpening(dir_->path()), kind);
        QCOMPARE(fileBytes(path_), before);
        QCOMPARE(QFile::exists(path_), damage != "remove");
    }

    // A program that keeps a write lock lets the library be read; a write says it is locked,
    // changes nothing, and works once the lock is gone.
    void writeWhileAnotherProgramWrites()
    {
        Store store(dir_->path());
        const qsizetype globals = store.query("select * from GlobalVariant").size();
        {
            OtherProgram other(path_, "begin immediate");
            QVERIFY(other.holdsLock());
            QVERIFY(!store.query("select * from CataConstruct").isEmpty());
            try {
                store.execute("delete * from GlobalVariant");
                QFAIL("wrote past another program's lock");
            } catch (const StoreError& error) {
                QCOMPARE(error.kind(), StoreError::Kind::Busy);
                QVERIFY(error.userText().contains("try again"));
            }
        }
        QCOMPARE(store.query("select * from GlobalVariant").size(), globals);
        store.execute("delete * from GlobalVariant");
        QVERIFY(store.query("select * from GlobalVariant").isEmpty());
    }

    // The background check passes a sound library; damage deep in the file it finds, and from
    // then on nothing is written to it.
    void damageFoundLaterStopsWrites()
    {
        {
            IntegrityCheck check(path_, nullptr);
            QSignalSpy damaged(&check, &IntegrityCheck::damaged);
            check.start();
            QTRY_VERIFY(!check.running());
            QCoreApplication::processEvents();
            QVERIFY(damaged.isEmpty());
        }
        writeBytes(path_, QByteArray(512, '\xee'), pageOf(dir_->path(), "ItemRows") + 8);
        Store store(dir_->path());
        IntegrityCheck check(store.path(), nullptr);
        QSignalSpy damaged(&check, &IntegrityCheck::damaged);
        check.start();
        QVERIFY(damaged.wait(10000));
        store.markDamaged(damaged.constFirst().constFirst().toString());
        const QByteArray before = fileBytes(path_);
        QVERIFY_THROWS_EXCEPTION(StoreError, store.execute("delete * from GlobalVariant"));
        QCOMPARE(fileBytes(path_), before);
    }

    // A library that cannot be written opens for reading, and refuses writes without trying.
    void readOnlyLibrary_data()
    {
        QTest::addColumn<bool>("byPermissions");
        QTest::newRow("opened for reading") << false;
        QTest::newRow("file without write permission") << true;
    }
    void readOnlyLibrary()
    {
        QFETCH(bool, byPermissions);
        if (byPermissions && ::geteuid() == 0)
            QSKIP("root writes to read-only files");
        if (byPermissions)
            QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner));
        const QByteArray before = fileBytes(path_);
        Store store(dir_->path(), byPermissions ? Store::Access::ReadWrite : Store::Access::ReadOnly);
        QVERIFY(store.readOnly());
        QVERIFY(!store.query("select * from CataConstruct").isEmpty());
        try {
            store.execute("delete * from ParaResult");
            QFAIL("wrote to a read-only library");
        } catch (const StoreError& error) {
            QCOMPARE(error.kind(), StoreError::Kind::ReadOnly);
        }
        QCOMPARE(fileBytes(path_), before);
    }
};

QTEST_GUILESS_MAIN(LibraryFileTest)
#include "libraryfile_test.moc"
