#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "store/tablename.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString text(const std::optional<QSqlRecord>& row, const char* column)
{
    return row ? row->value(QLatin1String(column)).toString() : QStringLiteral("<no row>");
}

} // namespace

class StoreTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir* dir_ = nullptr;
    std::unique_ptr<Store> store_;

private slots:
    void init()
    {
        dir_ = new QTemporaryDir;
        Store::createLibrary(dir_->path());
        store_ = std::make_unique<Store>(dir_->path());
        store_->execute(Schema::formulaTable(QStringLiteral("Ohm")));
    }

    void cleanup()
    {
        store_.reset();
        delete dir_;
    }

    // Lookups by caption, symbol and name ignore case in fixed and per-item tables alike.
    void textComparesWithoutCase_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("lookup");
        QTest::newRow("fixed table") << "insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) "
                                        "values ('Mechanics',1,'Mechanics','Mechanics',1,'')"
                                     << "select * from CataConstruct where caption='MECHANICS'";
        QTest::newRow("global variables") << "insert into GlobalVariant (name,varname,unit,defvalue,descr) "
                                             "values ('Gravity','g','m/s2','9.81','')"
                                          << "select * from GlobalVariant where  varname='G'";
        QTest::newRow("formula table") << "insert into Ohm (name,varname,unit,defvalue,descr,ispara) "
                                          "values ('Current','I','A','2','',1)"
                                       << "select * from Ohm where name='current'";
        QTest::newRow("table name") << "insert into ohm (name,varname,unit,defvalue,descr,ispara) "
                                       "values ('Current','I','A','2','',1)"
                                    << "select * from OHM where ispara=1";
    }
    void textComparesWithoutCase()
    {
        QFETCH(QString, insert);
        QFETCH(QString, lookup);
        store_->execute(insert);
        QVERIFY(store_->first(lookup).has_value());
    }

    // NUMERIC(28,4) keeps four decimal places on insert and on update; whole numbers stay whole.
    void decimalsAreRoundedToFourPlaces_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("stored");
        QTest::newRow("more places") << "1.23456" << 1.2346;
        QTest::newRow("negative") << "-0.000061" << -0.0001;
        QTest::newRow("whole") << "42" << 42.0;
        QTest::newRow("tiny") << "0.00001" << 0.0;
    }
    void decimalsAreRoundedToFourPlaces()
    {
        QFETCH(QString, value);
        QFETCH(double, stored);
        store_->execute("insert into Ohm (name,varname,unit,defvalue,descr,ispara) values ('R','R','Ohm','" + value
                        + "','',1)");
        QCOMPARE(store_->first("select * from Ohm where name='R'")->value("defvalue").toDouble(), stored);
        store_->execute("update Ohm set defvalue='" + value + "' where name='R'");
        QCOMPARE(store_->first("select * from Ohm where name='R'")->value("defvalue").toDouble(), stored);
    }

    // Columns refuse what the original file format refuses, as an error of the statement.
    void columnsRefuseWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("accepted");
        const QString insert = "insert into Ohm (name,varname,unit,defvalue,descr,ispara) values ('R','%1','Ohm','%2','',%3)";
        QTest::newRow("symbol of 20") << insert.arg(QString(20, 'x'), "1", "1") << true;
        QTest::newRow("symbol of 21") << insert.arg(QString(21, 'x'), "1", "1") << false;
        QTest::newRow("value not a number") << insert.arg("R", "abc", "1") << false;
        QTest::newRow("empty value") << insert.arg("R", "", "1") << false;
        QTest::newRow("integer not a number") << insert.arg("R", "1", "'x'") << false;
        QTest::newRow("integer as text") << insert.arg("R", "1", "'1'") << true;
    }
    void columnsRefuseWhatDoesNotFit()
    {
        QFETCH(QString, statement);
        QFETCH(bool, accepted);
        bool refused = false;
        try {
            store_->execute(statement);
        } catch (const StoreError& error) {
            refused = true;
            QCOMPARE(error.statement(), statement);
            QVERIFY(!error.databaseMessage().isEmpty());
        }
        QCOMPARE(refused, !accepted);
        QCOMPARE(store_->query("select * from Ohm").size(), accepted ? 1 : 0);
    }

    // The library's own spellings: "delete *", no blank before where, several blanks.
    void acceptsTheLibrarysDialect()
    {
        store_->execute("insert into Ohm (name,varname,unit,defvalue,descr,ispara) values ('R','R','Ohm','1','',1)");
        store_->execute("update Ohm set descr = 'resistance'where name ='R'");
        QCOMPARE(text(store_->first("select * from  Ohm  where name = 'R' "), "descr"), "resistance");
        store_->execute("delete  * from Ohm where ispara=1");
        QVERIFY(store_->query("select * from Ohm   ").isEmpty());
        store_->execute("drop table Ohm ");
        QVERIFY(!store_->tableExists("Ohm"));
    }

    // Whatever is typed, quotes included, is stored as typed and never changes the statement.
    void quotedValuesAreStoredAsTyped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("apostrophe") << "O'Brien's law";
        QTest::newRow("closing the literal") << "x'); drop table CataConstruct; --";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Ωμ – “quoted” 漢字");
    }
    void quotedValuesAreStoredAsTyped()
    {
        QFETCH(QString, value);
        store_->execute("insert into Ohm (name,varname,unit,defvalue,descr,ispara) values ('R','R','" + sqlValue(value)
                        + "','1','" + sqlValue(value) + "',1)");
        const auto row = store_->first("select * from Ohm where unit='" + sqlValue(value) + "'");
        QCOMPARE(text(row, "descr"), value);
        QVERIFY(store_->tableExists("CataConstruct"));
    }

    // A command writes all of its statements or none.
    void failedCommandWritesNothing()
    {
        try {
            Store::Transaction transaction(*store_);
            store_->execute("insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) "
                            "values ('Fluids',1,'Fluids','Fluids',1,'')");
            store_->execute(Schema::catalogTable("Fluids"));
            store_->execute("insert into Fluids (name,varname,unit,defvalue,descr) values ('x','x','','not a number','')");
            transaction.commit();
            QFAIL("the last statement should have been refused");
        } catch (const StoreError&) {
        }
        QVERIFY(store_->query("select * from CataConstruct").isEmpty());
        QVERIFY(!store_->tableExists("Fluids"));
        // The connection is usable again afterwards.
        store_->execute("insert into Ohm (name,varname,unit,defvalue,descr,ispara) values ('R','R','Ohm','1','',1)");
        QCOMPARE(store_->query("select * from Ohm").size(), 1);
    }

    // The library file is never created by opening it, and a file that is not one is left alone.
    void refusesWhatIsNotALibrary_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("text file") << QByteArray("just some text, nothing like a database\n") << true;
    }
    void refusesWhatIsNotALibrary()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, fileExists);
        QTemporaryDir dir;
        const QString path = Store::filePath(dir.path());
        if (fileExists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, Store{dir.path()});
        QCOMPARE(QFile::exists(path), fileExists);
        if (fileExists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), fileExists ? 1 : 0);
    }

    void refusesALibraryWithoutItsTables()
    {
        store_->execute("drop table ParaResult");
        store_.reset();
        try {
            Store reopened(dir_->path());
            QFAIL("opened a library without ParaResult");
        } catch (const StoreError& error) {
            QVERIFY2(error.databaseMessage().contains("ParaResult"), qPrintable(error.databaseMessage()));
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, Store::createLibrary(dir_->path()));
    }

    void tableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");
        QTest::newRow("letters and digits") << "Beam2" << true;
        QTest::newRow("non-ASCII letters") << QString::fromUtf8("Wärme") << true;
        QTest::newRow("leading digit") << "2Beam" << false;
        QTest::newRow("keyword") << "select" << false;
        QTest::newRow("reserved prefix") << "sqlite_stat" << false;
        QTest::newRow("blank") << "a b" << false;
        QTest::newRow("control character") << QStringLiteral("a\tb") << false;
    }
    void tableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        QCOMPARE(isUsableTableName(name), usable);
        if (usable) {
            store_->execute(Schema::catalogTable(name));
            QVERIFY(store_->tableExists(name));
        }
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "store_test.moc"
