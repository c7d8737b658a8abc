#include "store/fieldtext.h"
#include "store/itemname.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString text(const std::optional<QSqlRecord>& row, const char* column)
{
    return row ? fieldText(*row, QLatin1String(column)) : QStringLiteral("<no row>");
}

const QString InsertParameter =
    QStringLiteral("insert into Ohm (name,varname,unit,defvalue,descr,ispara) values (?,?,?,?,?,1)");

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

    // Values are checked against the column's declared type before anything is written:
    // NUMERIC(28,4) keeps four places, VARCHAR(20) twenty characters, INT whole numbers.
    void valuesMeetTheirColumns_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("more places") << "R" << "1.23456" << "1.2346";
        QTest::newRow("rounds to zero") << "R" << "-0.00001" << "0";
        QTest::newRow("exponent") << "R" << "1e3" << "1000";
        QTest::newRow("24 digits") << "R" << QString(25, '9') << "";
        QTest::newRow("comma") << "R" << "1,5" << "";
        QTest::newRow("symbol of 20") << QString::fromUtf8("𝐀").repeated(20) << "1" << "1";
        QTest::newRow("symbol of 21") << QString(21, 'x') << "1" << "";
    }
    void valuesMeetTheirColumns()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, value);
        QFETCH(QString, stored);
        for (const bool update : {false, true}) {
            bool refused = false;
            try {
                if (update) {
                    store_->execute(InsertParameter, {"R", "x", "Ohm", "1", ""});
                    store_->execute("update Ohm set varname=?,defvalue = ? where name=?", {symbol, value, "R"});
                } else {
                    store_->execute(InsertParameter, {"R", symbol, "Ohm", value, ""});
                }
            } catch (const StoreError& error) {
                refused = true;
                QCOMPARE(error.kind(), StoreError::Kind::Refused);
                QVERIFY(error.userText().startsWith("The library could not be changed: the column"));
            }
            QCOMPARE(refused, stored.isEmpty());
            const auto row = store_->first("select * from Ohm where name=?", {"R"});
            if (!stored.isEmpty())
                QCOMPARE(text(row, "defvalue"), stored);
            else if (update)
                QCOMPARE(text(row, "defvalue"), "1");
            store_->execute("delete * from Ohm");
        }
    }

    // Whatever is typed is stored exactly as typed and never changes the statement; text no
    // column can keep is refused as a whole.
    void valuesAreStoredAsTyped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("stored");
        QTest::newRow("closing the literal") << "x'); drop table CataConstruct; --" << true;
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << true;
        QTest::newRow("non-BMP") << QString::fromUtf8("𝔄𝔅 – “quoted” 漢字") << true;
        QTest::newRow("lone surrogate") << QStringLiteral("x") + QChar(0xD800) + QStringLiteral("', isroot=7 --") << false;
    }
    void valuesAreStoredAsTyped()
    {
        QFETCH(QString, value);
        QFETCH(bool, stored);
        try {
            Store::Transaction transaction(*store_);
            store_->execute(InsertParameter, {"R", "R", "Ohm", "1", ""});
            store_->execute(InsertParameter, {"S", "S", value, "1", value});
            transaction.commit();
            QVERIFY(stored);
        } catch (const StoreError& error) {
            QVERIFY(!stored);
            QCOMPARE(error.kind(), StoreError::Kind::BadText);
        }
        QCOMPARE(store_->query("select * from Ohm").size(), stored ? 2 : 0);
        if (stored) {
            QCOMPARE(text(store_->first("select * from Ohm where unit=?", {value}), "descr"), value);
            QStringList units;
            store_->forEachText("select unit from Ohm order by name", [&](const Store::TextRow& row) { units << row.text(0); });
            QCOMPARE(units, (QStringList{"Ohm", value}));
        }
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
            store_->execute("insert into Fluids (name,varname,unit,defvalue,descr) values (?,?,?,?,?)",
                            {"x", "x", "", "not a number", ""});
            transaction.commit();
            QFAIL("the last statement should have been refused");
        } catch (const StoreError&) {
        }
        QVERIFY(store_->query("select * from CataConstruct").isEmpty());
        QVERIFY(!store_->tableExists("Fluids"));
        // The connection is usable again afterwards.
        store_->execute(InsertParameter, {"R", "R", "Ohm", "1", ""});
        QCOMPARE(store_->query("select * from Ohm").size(), 1);
    }

    // A catalog's or formula's table answers each statement the library makes on a table, and
    // sees only its own rows. The library's own spellings ("delete *", no blank before where,
    // several blanks) are understood, and text, table names included, compares without case.
    void itemTablesBehaveAsTables()
    {
        store_->execute("insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) "
                        "values ('Mechanics',1,'Mechanics','Mechanics',1,'')");
        QVERIFY(store_->first("select * from CataConstruct where caption='MECHANICS'").has_value());
        store_->execute(Schema::catalogTable("Other"));
        store_->execute("insert into Other (name,varname,defvalue) values (?,?,?)", {"Gravity", "g", "9.81"});
        for (const char* symbol : {"b", "a", "c"})
            store_->execute(InsertParameter, {QString("Name ") + symbol, symbol, "m", "1", ""});
        store_->execute("update ohm set calcount=?,defvalue = '2'where varname=? or varname=?", {"7", "a", "C"});
        store_->execute("delete  * from \"OHM\" where varname=?", {"b"});

        const Rows rows = store_->query("select * from  Ohm  where ispara = 1 order by varname desc ");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).count(), 9);
        QCOMPARE(text(rows.at(0), "varname") + text(rows.at(1), "varname"), "ca");
        QCOMPARE(text(rows.at(1), "calcount") + text(rows.at(1), "defvalue"), "72");
        QCOMPARE(store_->first("select count(*) from Ohm where name like ?", {"name%"})->value(0).toInt(), 2);
        const Rows others = store_->query("select * from Other");
        QCOMPARE(others.size(), 1);
        QCOMPARE(others.at(0).count(), 7);
        QCOMPARE(text(others.at(0), "defvalue"), "9.81");

        const auto refused = [this](const QString& statement) {
            QVERIFY_THROWS_EXCEPTION(StoreError, store_->execute(statement, {"x"}));
        };
        refused("insert into Other (name,calcount) values (?,'1')");
        refused("update Other set preci=? ");
        refused(Schema::formulaTable("ohm").replace("ohm", "\"ohm\"").replace("name TEXT", "name TEXT, extra TEXT"));
        refused(Schema::catalogTable("OHM"));
        refused("drop table Missing");
        store_->execute("drop table if exists Missing");
        store_->execute("drop table Other ");
        QVERIFY(!store_->tableExists("Other"));
        QCOMPARE(store_->query("select * from Ohm").size(), 2);
        QVERIFY_THROWS_EXCEPTION(StoreError, store_->query("select * from Other"));
        QVERIFY_THROWS_EXCEPTION(StoreError, store_->forEachText("select * from Other", [](const Store::TextRow&) {}));
    }

    // Libraries made before items' tables moved out of SQLite's own keep working with theirs.
    void earlierLibrariesKeepTheirTables()
    {
        store_.reset();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "earlier");
            db.setDatabaseName(Store::filePath(dir_->path()));
            QVERIFY(db.open());
            QSqlQuery(db).exec("drop table ItemTables");
            QSqlQuery(db).exec("drop table ItemRows");
            QVERIFY(QSqlQuery(db).exec("CREATE TABLE Legacy (varname VARCHAR(20) COLLATE NOCASE, name TEXT COLLATE NOCASE, "
                                       "defvalue NUMERIC(28,4), ispara INT)"));
            QVERIFY(QSqlQuery(db).exec("insert into Legacy values ('a', 'First', 1.5, 1)"));
        }
        QSqlDatabase::removeDatabase("earlier");
        store_ = std::make_unique<Store>(dir_->path());
        QCOMPARE(text(store_->first("select * from Legacy where name=?", {"FIRST"}), "defvalue"), "1.5");
        store_->execute("insert into Legacy (varname,name,defvalue,ispara) values (?,?,?,1)", {"b", "Second", "2.00004"});
        QCOMPARE(text(store_->first("select * from Legacy where varname=?", {"b"}), "defvalue"), "2");
        store_->execute(Schema::formulaTable("Newer"));
        QVERIFY(store_->tableExists("Legacy") && store_->tableExists("Newer"));
        store_->execute("drop table Legacy");
        QVERIFY(!store_->tableExists("Legacy"));
    }

    // Names the checks accept work as table names, keywords and quotes included; the few that
    // SQLite or the library keep for themselves are refused.
    void itemNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("use");
        const int usable = int(ItemName::Use::Usable);
        QTest::newRow("keyword Index") << "Index" << usable;
        QTest::newRow("quotes and brackets") << "a\"b'c]d" << usable;
        QTest::newRow("non-BMP") << QString::fromUtf8("𝔄𝔅") << usable;
        QTest::newRow("sqlite prefix") << "SQLITE_stat1" << int(ItemName::Use::Reserved);
        QTest::newRow("root key") << "GongShi" << int(ItemName::Use::Reserved);
        QTest::newRow("fixed table") << "paraResult" << int(ItemName::Use::FixedTable);
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) << int(ItemName::Use::Unstorable);
        QTest::newRow("lone surrogate") << QString(QChar(0xDC00)) << int(ItemName::Use::Unstorable);
    }
    void itemNames()
    {
        QFETCH(QString, name);
        QFETCH(int, use);
        QCOMPARE(int(ItemName::use(name)), use);
        if (use != int(ItemName::Use::Usable))
            return;
        store_->execute(Schema::formulaTable(name));
        store_->execute("insert into " + sqlName(name) + " (name,varname,defvalue,ispara) values (?,?,?,1)",
                        {name, "x", "2.00006"});
        QCOMPARE(text(store_->first("select * from " + sqlName(name) + " where name=?", {name}), "defvalue"), "2.0001");
        QVERIFY(store_->tableExists(name));
        store_->execute("drop table " + sqlName(name));
        QVERIFY(!store_->tableExists(name));
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "store_test.moc"
