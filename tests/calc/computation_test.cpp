// Recording and recalling without a window, for what the grid cannot produce.
#include "calc/computation.h"
#include "libraryfixture.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QTest>
#include <QTime>

class ComputationTest : public QObject
{
    Q_OBJECT

private slots:
    // The history ends at the first row without an input; texts are stored as they are. A
    // formula deleted meanwhile is neither counted nor recalled, and a statement the library
    // refuses undoes the record's other writes.
    void recordAndRecall()
    {
        LibraryFixture library;
        Store& store = library.store();
        const QStringList mass{"Driver's mass", "m", "1200", "1100", "kg 'net'"};
        const QList<GridParameter> rows{{mass[0], mass[1], mass[2], mass[3], mass[4]},
                                        {"Velocity", "v", "", "2", "m/s"},
                                        {"Unused", "x", "5", "5", "m"}};
        const auto first = Computation::record(store, "KineticEnergy", rows, 2.0 / 3.0, QTime(9, 5, 3));
        QVERIFY(first);
        QCOMPARE(first->columns(), (QStringList{"KineticEnergy", "Ek", "0.67", "J", "9:05:03", "1"}));
        QCOMPARE(Computation::record(store, "KineticEnergy", rows, 1, QTime(23, 59, 59))->number, "2");
        const auto recalled = Computation::recall(store, "KineticEnergy", "2");
        QVERIFY(recalled);
        QCOMPARE(recalled->expression, "m*v^2/2");
        QCOMPARE(recalled->description, "Kinetic energy of a moving body");
        QCOMPARE(recalled->parameters.size(), 1);
        const GridParameter& got = recalled->parameters.at(0);
        QCOMPARE((QStringList{got.name, got.symbol, got.input, got.defaultValue, got.unit}), mass);

        QVERIFY(!Computation::record(store, "NoSuchFormula", rows, 1, QTime(1, 0)));
        QVERIFY(!Computation::recall(store, "NoSuchFormula", "1"));
        store.execute("alter table ParaResult rename to ParaResultAway");
        QVERIFY_THROWS_EXCEPTION(StoreError, Computation::record(store, "KineticEnergy", rows, 1, QTime(1, 0)));
        QCOMPARE(store.first("select * from KineticEnergy where ispara=0")->value("calcount").toString(), "2");
        QCOMPARE(store.query("select * from ParaResultAway").size(), 2);
    }
};

QTEST_MAIN(ComputationTest)
#include "computation_test.moc"
