// The statements behind "Calculate" and the recall, without a window: the cases the grid
// cannot produce, since the engine refuses any computation with an empty or quoted input.
#include "calc/computation.h"
#include "libraryfixture.h"
#include "store/store.h"

#include <QTest>
#include <QTime>

class ComputationTest : public QObject
{
    Q_OBJECT

private slots:
    // The history ends at the first row without an input; texts are stored as they are,
    // quotes included.
    void recordThenRecall()
    {
        LibraryFixture library;
        Store& store = library.store();
        const QList<GridParameter> rows{{"Driver's mass", "m", "1200", "1200", "kg 'net'"},
                                        {"Velocity", "v", "13.9", "13.9", "m/s"},
                                        {"Velocity", "w", "", "2", "m/s"},
                                        {"Unused", "x", "5", "5", "m"}};
        const auto first = Computation::record(store, "KineticEnergy", rows, 2.0 / 3.0, QTime(9, 5, 3));
        QVERIFY(first);
        QCOMPARE(first->columns(), (QStringList{"KineticEnergy", "Ek", "0.67", "J", "9:05:03", "1"}));
        const auto second = Computation::record(store, "KineticEnergy", rows, 1, QTime(23, 59, 59));
        QCOMPARE(second->number, "2");
        QCOMPARE(second->time, "23:59:59");

        const auto recalled = Computation::recall(store, "KineticEnergy", "2");
        QVERIFY(recalled);
        QCOMPARE(recalled->expression, "m*v^2/2");
        QCOMPARE(recalled->description, "Kinetic energy of a moving body");
        QCOMPARE(recalled->parameters.size(), 2);
        const GridParameter& mass = recalled->parameters.at(0);
        QCOMPARE((QStringList{mass.name, mass.symbol, mass.input, mass.defaultValue, mass.unit}),
                 (QStringList{"Driver's mass", "m", "1200", "1200", "kg 'net'"}));
        QCOMPARE(recalled->parameters.at(1).symbol, "v");
        QCOMPARE(store.query("select * from ParaResult").size(), 4);
        QVERIFY(Computation::recall(store, "KineticEnergy", "3")->parameters.isEmpty());
    }

    // A formula deleted meanwhile is neither counted nor recalled.
    void vanishedFormula()
    {
        LibraryFixture library;
        Store& store = library.store();
        QVERIFY(!Computation::record(store, "NoSuchFormula", {{"a", "a", "1", "1", ""}}, 1, QTime(1, 0)));
        QVERIFY(store.query("select * from ParaResult").isEmpty());
        QVERIFY(!Computation::recall(store, "NoSuchFormula", "1"));
    }
};

QTEST_MAIN(ComputationTest)
#include "computation_test.moc"
