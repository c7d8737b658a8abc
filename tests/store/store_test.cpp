#include "store/columntype.h"
#include "store/fieldtext.h"
#include "store/itemname.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// As stored, not as shown: showing rounds to four places and would hide what was kept.
QString text(const std::optional<QSqlRecord>& row, const char* column)
{
    return row ? row->value(QLatin1String(column)).toString() : QStringLiteral("<no row>");
}

// The formula's table is named with a keyword, quoted as everywhere in the program; another
// item's table with quotes, a bracket and a letter outside the first plane.
const QString Other = QString::fromUtf8("a\"b'c]d𝔄");
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
        QTest::newRow("rounds to zero") << "R" << "-0.00001" << "0" << "";
        QTest::newRow("25 digits before the point")
            << "R" << QString(25, '9') << ""
            << "The default value of parameter R of formula Order, \"" + QString(25, '9')
                   + "\", has more than 24 digits before the point. Nothing was changed; type a smaller number.";
        QTest::newRow("comma") << "R" << "1,5" << ""
                               << "The default value of parameter R of formula Order, \"1,5\", is not a number. Nothing was "
                                  "changed; type a number, with a point before any decimals, such as 2.5.";
        QTest::newRow("symbol of 20") << QString::fromUtf8("𝐀").repeated(20) << "1" << "1" << "";
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

    // A catalog's or formula's table answers each statement the library makes on a table as a
    // table would, and only with its own rows: "Order" holds a, b and c, and another item's
    // table, named with quotes, a bracket and a letter outside the first plane, holds g and must
    // stay as it is. Names are seen through their quotes; the library's own spellings ("delete *",
    // no blank before where) are understood; text compares without case; nothing inside a quoted
    // value is taken for a name, a clause or a placeholder. A statement the table cannot answer is
    // refused and changes nothing.
    void statementsRunOnItemTables_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("rows"); // what a select gives, or "Order" after a change: symbol=description
        const QString order = "a= b= c=";
        QTest::newRow("select, several blanks") << "select * from  `Order`  where ispara = 1 order by varname desc " << QVariantList{} << "c= b= a=";
        QTest::newRow("select some columns") << "select varname, descr from [ORDER] where varname<>? limit 5" << QVariantList{"B"} << "a= c=";
        QTest::newRow("placeholders on both sides of set and where")
            << "update \"ORDER\" set descr=?where varname=? or varname=?" << QVariantList{"x", "a", "C"} << "a=x b= c=x";
        QTest::newRow("delete *") << "delete  * from \"Order\" where varname=?" << QVariantList{"b"} << "a= c=";
        QTest::newRow("a where inside a text") << "update \"Order\" set descr='x where ispara=0' where varname=?"
                                               << QVariantList{"a"} << "a=x where ispara=0 b= c=";
        QTest::newRow("a question mark inside a text") << "update \"Order\" set descr='why?' where varname=?"
                                                       << QVariantList{"c"} << "a= b= c=why?";
        QTest::newRow("a table's name and values inside a text")
            << "insert into \"Order\" (varname,descr,ispara) values (?, 'insert into ItemRows (tbl) values (1)', 1)"
            << QVariantList{"d"} << order + " d=insert into ItemRows (tbl) values (1)";
        QTest::newRow("a statement inside a text") << "update \"Order\" set descr='x''; drop table \"Order\"; --' where varname='b'"
                                                   << QVariantList{} << "a= b=x'; drop table \"Order\"; -- c=";
        QTest::newRow("a column the table lacks") << "update \"Order\" set descr=?, colour=?" << QVariantList{"x", "red"} << "refused";
        QTest::newRow("a column a catalog's table lacks") << "insert into " + sqlName(Other) + " (name,calcount) values (?,'1')"
                                                          << QVariantList{"x"} << "refused";
        QTest::newRow("a table an item has, in other case") << Schema::catalogTable("ORDER") << QVariantList{} << "refused";
        QTest::newRow("a column no item's table has") << Schema::formulaTable("Fresh").replace("name TEXT", "name TEXT, extra TEXT")
                                                      << QVariantList{} << "refused";
        QTest::newRow("dropping a table that is not there") << "drop table Missing" << QVariantList{} << "refused";
        QTest::newRow("unless it may not be there") << "drop table if exists Missing" << QVariantList{} << order;
    }
    void statementsRunOnItemTables()
    {
        QFETCH(QString, statement);
        QFETCH(QVariantList, values);
        QFETCH(QString, rows);
        store_->execute(Schema::catalogTable(Other));
        store_->execute("insert into " + sqlName(Other) + " (name,varname,defvalue) values (?,?,?)", {"Gravity", "g", "9.81"});
        for (const char* symbol : {"b", "a", "c"})
            store_->execute(InsertParameter, {QString("Name ") + symbol, symbol, "m", "1", ""});
        const auto shown = [this](const QString& query, const QVariantList& bound = {}) {
            QStringList texts;
            for (const QSqlRecord& row : store_->query(query, bound))
                texts << text(row, "varname") + '=' + text(row, "descr");
            return texts.join(' ');
        };
        try {
            if (statement.startsWith("select"))
                QCOMPARE(shown(statement, values), rows);
            store_->execute(statement, values);
            QVERIFY(rows != "refused");
        } catch (const StoreError& error) {
            QVERIFY2(rows == "refused", error.what());
        }
        if (!statement.startsWith("select"))
            QCOMPARE(shown("select * from \"Order\" order by varname"), rows == "refused" ? "a= b= c=" : rows);
        QCOMPARE(shown("select * from " + sqlName(Other)), "g=");
        QVERIFY(!store_->tableExists("Fresh"));
    }

    // The names a catalog or formula may take: any text a line shows whole, up to 100 characters
    // (a letter outside the first plane counts once), keywords and quotes included; not the
    // root's key, SQLite's own prefix or the library's own tables in any case, and nothing a
    // text column cannot keep.
    void itemNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ItemName::Use>("use");
        const QString nonBmp = QString::fromUtf8("𝔄");
        QTest::newRow("quotes and brackets") << "a\"b'c]d[" << ItemName::Use::Usable;
        QTest::newRow("SQLite's prefix") << "SQLITE_stat1" << ItemName::Use::Reserved;
        QTest::newRow("a fixed table") << "itemrows" << ItemName::Use::FixedTable;
        QTest::newRow("NUL") << QString("a") + QChar(0) << ItemName::Use::Unstorable;
        QTest::newRow("a broken character") << QString("a") + QChar(0xDC00) << ItemName::Use::Unstorable;
        QTest::newRow("a line separator") << QString::fromUtf8("a\u2028b") << ItemName::Use::Unprintable;
        QTest::newRow("100 letters outside the first plane") << nonBmp.repeated(100) << ItemName::Use::Usable;
        QTest::newRow("101 characters") << QString(101, 'n') << ItemName::Use::TooLong;
    }
    void itemNames()
    {
        QFETCH(QString, name);
        QFETCH(ItemName::Use, use);
        QCOMPARE(ItemName::use(name), use);
    }

    // A column's declared type decides what it keeps; a value it cannot keep is refused for a
    // reason the user can act on. (Text columns: valuesMeetTheirColumns' symbols.)
    void columnTypes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("exponent") << "NUMERIC(28,4)" << " 1.5e2 " << "150";
        QTest::newRow("hexadecimal") << "NUMERIC(28,4)" << "0x10" << "";
        QTest::newRow("half of the last place") << "NUMERIC(28,4)" << "0.00005" << "0.0001";
        QTest::newRow("whole number") << "INT" << " 42" << "42";
        QTest::newRow("not whole") << "INT" << "1.5" << "";
    }
    void columnTypes()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, stored);
        ColumnType::Misfit misfit;
        QCOMPARE(valueText(ColumnType(type).stored(value, misfit).value_or(QVariant())), stored);
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "store_test.moc"
