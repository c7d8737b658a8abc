#include "libraryfixture.h"
#include "mainwindow/catalogs.h"
#include "store/store.h"
#include "variables/variables.h"

#include <QTest>

using Problem = Variables::Problem;
Q_DECLARE_METATYPE(Variables::Problem)

class VariablesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The first failing check is the only one reported, in the order of the dialog's fields.
    void checkFields_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<Problem>("problem");
        QTest::newRow("all empty, value abc") << "" << "" << "abc" << Problem::EmptySymbol;
        QTest::newRow("leading digit before empty name") << "2x" << "" << "" << Problem::UnusableSymbol;
        QTest::newRow("NUL in the symbol") << QStringLiteral("a") + QChar(0) << "Name" << "1" << Problem::UnusableSymbol;
        QTest::newRow("empty name before a bad value") << "x" << "" << "abc" << Problem::EmptyName;
        QTest::newRow("empty value") << "x" << "Name" << "" << Problem::EmptyValue;
        QTest::newRow("exponent") << "x" << "Name" << "1e5" << Problem::NotNumeral;
        QTest::newRow("leading blank") << "x" << "Name" << " 1" << Problem::NotNumeral;
        QTest::newRow("minus inside") << "x" << "Name" << "1-2" << Problem::NotANumber;
        QTest::newRow("lone minus") << "x" << "Name" << "-" << Problem::NotANumber;
        QTest::newRow("negative decimal") << "x" << "Name" << "-1.5" << Problem::None;
        QTest::newRow("non-ASCII symbol, leading point") << QString::fromUtf8("Länge_2") << "Name" << ".5" << Problem::None;
    }
    void checkFields()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(Problem, problem);
        QCOMPARE(Variables::checkFields({name, symbol, "", value, ""}), problem);
    }

    // Nearest first, through renamed catalogs, up to the one under the root; the walk ends even
    // in a library whose parents form a loop.
    void visibleTablesFollowTheChain()
    {
        LibraryFixture library;
        Store& store = library.store();
        Catalogs::add(store, "Deep", "Beams", "");
        Catalogs::modify(store, "Beams", "Girders", "");
        const QStringList chain{"Deep", "Beams", "Mechanics", "GlobalVariant"};
        const auto visible = [&](const QString& catalog) { return Variables::visibleTables(store, catalog).value_or(QStringList{"missing"}); };
        QCOMPARE(visible("Deep"), chain);
        QCOMPARE(visible("Girders"), chain.mid(1));
        QCOMPARE(visible(""), QStringList{"GlobalVariant"});
        QCOMPARE(visible("Beams"), QStringList{"missing"});

        store.execute("update CataConstruct set belongto='Deep', isroot=0 where caption='Mechanics'");
        QCOMPARE(visible("Deep"), chain);
    }
};

QTEST_GUILESS_MAIN(VariablesTest)
#include "variables_test.moc"
