#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// As stored, not as shown: showing rounds to four places and would hide what was kept.
QString text(const std::optional<QSqlRecord>& row, const char* column)
{
    return row ? row->value(QLatin1String(column)).toString() : QStringLiteral("<no row>");
}

// The formula's table is named with a keyword, quoted as everywhere in the program.
const QString InsertParameter =
    QStringLiteral("insert into \"Order\" (name,varname,unit,defvalue,descr,ispara) values (?,?,?,?,?,1)");

} // namespace

class StoreTest : public QObject
{
    Q_OBJECT

private:
    std::optional<QTemporaryDir> dir_;
    std::unique_ptr<Store> store_;

private slots:
    void init()
    {
        store_.reset();
        Store::createLibrary(dir_.emplace().path());
        store_ = std::make_unique<Store>(dir_->path());
        store_->execute(Schema::formulaTable(QStringLiteral("Order")));
    }

    // Values are checked against the column's declared type before anything is written, by
    // insert and update alike: NUMERIC(28,4) keeps four places, VARCHAR(20) twenty characters.
    // A refusal names the field, by its parameter's symbol unless that is what is wrong, and
    // what to do.
    void valuesMeetTheirColumns_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored"); // empty: refused with message
        QTest::addColumn<QString>("message");
        QTest::newRow("more places") << "R" << "1.23456" << "1.2346" << "";
        QTest::newRow("rounds to zero") << "R" << "-0.00001" << "0" << "";
        QTest::newRow("25 digits before the point")
            << "R" << QString(25, '9') << ""
            << "The default value of parameter R of formula Order, \"" + QString(25, '9')
                   + "\", has more than 24 digits before the point. Nothing was changed; type a smaller number.";
        QTest::newRow("comma") << "R" << "1,5" << ""
                               << "The default value of parameter R of formula Order, \"1,5\", is not a number. Nothing was "
                                  "changed; type a number, with a point before any decimals, such as 2.5.";
        QTest::newRow("symbol of 20") << QString::fromUtf8("𝐀").repeated(20) << "1" << "1" << "";
        QTest::newRow("symbol of 21") << QString(21, 'x') << "1" << ""
                                      << "The symbol of parameter Resistance of formula Order has more than 20 characters. "
                                         "Nothing was changed; shorten it to 20 characters at most.";
    }
    void valuesMeetTheirColumns()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, value);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        for (const bool update : {false, true}) {
            try {
                store_->execute(InsertParameter, {"Resistance", update ? "x" : symbol, "Ohm", update ? "1" : value, ""});
                if (update)
                    store_->execute("update \"Order\" set varname=?,defvalue = ? where name=?", {symbol, value, "Resistance"});
                QVERIFY(!stored.isEmpty());
            } catch (const StoreError& error) {
                QVERIFY2(stored.isEmpty(), error.what());
                QCOMPARE(error.userText(), message);
            }
            const QString kept = update ? "1" : "<no row>";
            QCOMPARE(text(store_->first("select * from \"Order\" where name=?", {"Resistance"}), "defvalue"),
                     stored.isEmpty() ? kept : stored);
            store_->execute("delete * from \"Order\"");
        }
    }

    // Whatever is typed is stored exactly as typed and never changes the statement; text no
    // column can keep is refused, and the whole command with it, a table it made included.
    void valuesAreStoredAsTyped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("stored");
        QTest::newRow("closing the literal, non-BMP") << QString::fromUtf8("x'); drop table CataConstruct; -- 𝔄 “q”") << true;
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << true;
        QTest::newRow("lone surrogate") << QStringLiteral("x") + QChar(0xD800) + QStringLiteral("', isroot=7 --") << false;
    }
    void valuesAreStoredAsTyped()
    {
        QFETCH(QString, value);
        QFETCH(bool, stored);
        try {
            Store::Transaction transaction(*store_);
            store_->execute(Schema::catalogTable("Fluids"));
            store_->execute(InsertParameter, {"R", "R", "Ohm", "1", ""});
            store_->execute(InsertParameter, {"S", "S", value, "1", value});
            transaction.commit();
            QVERIFY(stored);
        } catch (const StoreError& error) {
            QVERIFY(!stored);
            QCOMPARE(error.kind(), StoreError::Kind::BadText);
        }
        QCOMPARE(store_->query("select * from \"Order\"").size(), stored ? 2 : 0);
        QCOMPARE(store_->tableExists("Fluids"), stored);
        QVERIFY(store_->tableExists("CataConstruct"));
        if (!stored)
            return;
        QCOMPARE(text(store_->first("select * from \"Order\" where unit=?", {value}), "descr"), value);
        QStringList units;
        store_->forEachText("select unit from \"Order\" order by name", [&](const Store::TextRow& row) { units << row.text(0); });
        QCOMPARE(units, (QStringList{"Ohm", value}));
    }

    // A catalog's or formula's table answers each statement the library makes on a table, and
    // sees only its own rows. Names are seen through their quotes, keywords and quotes in them
    // included; the library's own spellings ("delete *", no blank before where, several blanks)
    // are understood, and text, table names included, compares without case.
    void itemTablesBehaveAsTables()
    {
        store_->execute("insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) "
                        "values ('Mechanics',1,'Mechanics','Mechanics',1,'')");
        QVERIFY(store_->first("select * from CataConstruct where caption='MECHANICS'").has_value());
        const QString other = sqlName(QString::fromUtf8("a\"b'c]d𝔄"));
        store_->execute(Schema::catalogTable(QString::fromUtf8("a\"b'c]d𝔄")));
        store_->execute("insert into " + other + " (name,varname,defvalue) values (?,?,?)", {"Gravity", "g", "9.81"});
        for (const char* symbol : {"b", "a", "c"})
            store_->execute(InsertParameter, {QString("Name ") + symbol, symbol, "m", "1", ""});
        store_->execute("update [order] set calcount=?,defvalue = '2'where varname=? or varname=?", {"7", "a", "C"});
        store_->execute("delete  * from \"ORDER\" where varname=?", {"b"});

        const Rows rows = store_->query("select * from  `Order`  where ispara = 1 order by varname desc ");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).count(), 9);
        QCOMPARE(text(rows.at(0), "varname") + text(rows.at(1), "varname"), "ca");
        QCOMPARE(text(rows.at(1), "calcount") + text(rows.at(1), "defvalue"), "72");
        QCOMPARE(text(store_->first("select * from " + other), "defvalue"), "9.81");

        const auto refused = [this](const QString& statement) {
            QVERIFY_THROWS_EXCEPTION(StoreError, store_->execute(statement, {"x"}));
        };
        refused("insert into " + other + " (name,calcount) values (?,'1')");
        refused("update " + other + " set preci=? ");
        refused(Schema::formulaTable("Fresh").replace("name TEXT", "name TEXT, extra TEXT"));
        refused(Schema::catalogTable("ORDER"));
        refused("drop table Missing");
        store_->execute("drop table if exists Missing");
        store_->execute("drop table " + other + " ");
        QVERIFY_THROWS_EXCEPTION(StoreError, store_->query("select * from " + other));
        QCOMPARE(store_->query("select * from \"Order\"").size(), 2);
        QVERIFY(!store_->tableExists("Fresh"));
    }

    // Libraries made before items' tables moved out of SQLite's own keep working with theirs.
    void earlierLibrariesKeepTheirTables()
    {
        store_.reset();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "earlier");
            db.setDatabaseName(Store::filePath(dir_->path()));
            QVERIFY(db.open());
            for (const char* statement : {"drop table ItemTables", "drop table ItemRows",
                                          "CREATE TABLE Legacy (varname VARCHAR(20) COLLATE NOCASE, name TEXT COLLATE NOCASE, "
                                          "defvalue NUMERIC(28,4), ispara INT)",
                                          "insert into Legacy values ('a', 'First', 1.5, 1)"})
                QVERIFY2(QSqlQuery(db).exec(statement), statement);
        }
        QSqlDatabase::removeDatabase("earlier");
        store_ = std::make_unique<Store>(dir_->path());
        QCOMPARE(text(store_->first("select * from Legacy where name=?", {"FIRST"}), "defvalue"), "1.5");
        store_->execute("insert into Legacy (varname,name,defvalue,ispara) values (?,?,?,1)", {"b", "Second", "2.00004"});
        QCOMPARE(text(store_->first("select * from Legacy where varname=?", {"b"}), "defvalue"), "2");
        store_->execute(Schema::formulaTable("Newer"));
        store_->execute("drop table Legacy");
        QVERIFY(!store_->tableExists("Legacy") && store_->tableExists("Newer"));
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "store_test.moc"
