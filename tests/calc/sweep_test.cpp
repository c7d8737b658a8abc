// The values a sweep takes over a range, by its step or by their number: the ones a user means,
// its ends among them, however the step's sum rounds. (A step of zero, points that are no whole
// number, a range running down in tenths: the sweep window's and the command-line tool's tests.)
#include "calc/resultformat.h"
#include "calc/sweep.h"

#include <QTest>

class SweepTest : public QObject
{
    Q_OBJECT

private slots:
    void rangeValues_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<bool>("counted"); // amount is the number of values, not the step
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("expected"); // the values; "n values a … b" when many; the problem when refused
        QTest::newRow("steps of 0.1 land on 0.3") << 0.0 << 0.3 << false << 0.1 << "0 0.1 0.2 0.3";
        QTest::newRow("a step's sign does not matter") << 0.0 << 1.0 << false << -0.5 << "0 0.5 1";
        QTest::newRow("a last step short of the end") << 0.0 << 1.0 << false << 0.4 << "0 0.4 0.8";
        QTest::newRow("small values") << 1e-7 << 3e-7 << true << 3.0 << "1e-07 2e-07 3e-07";
        QTest::newRow("across zero, down") << 5.0 << -5.0 << true << 5.0 << "5 2.5 0 -2.5 -5";
        QTest::newRow("ten thousand, the end exact") << 0.0 << 1.0 << true << 10000.0 << "10000 values 0 … 1";
        QTest::newRow("thirds, the end exact") << 0.0 << 1.0 << true << 301.0 << "301 values 0 … 1";
        QTest::newRow("one value when the ends meet") << 2.0 << 2.0 << true << 7.0 << "2";
        QTest::newRow("one point") << 0.0 << 1.0 << true << 1.0 << "is not a whole number from 2 to 1000000";
        QTest::newRow("too many points") << 0.0 << 1.0 << true << 1e6 + 1 << "is not a whole number from 2 to 1000000";
        QTest::newRow("too small a step") << 0.0 << 1.0 << false << 1e-7 << "has more than 1000000 values";
        QTest::newRow("a span no number holds") << -1e308 << 1e308 << true << 3.0 << "has more than 1000000 values";
    }

    void rangeValues()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(bool, counted);
        QFETCH(double, amount);
        QFETCH(QString, expected);
        QString problem;
        const std::optional<Sweep::Range> range =
            counted ? Sweep::Range::counted(from, to, amount, problem) : Sweep::Range::stepped(from, to, amount, problem);
        if (!range) {
            QCOMPARE(problem, expected);
            return;
        }
        const std::vector<double> values = range->values();
        QStringList texts;
        for (const double value : values)
            texts << fullPrecision(value);
        if (values.size() > 10)
            texts = {QStringLiteral("%1 values %2 … %3").arg(values.size()).arg(texts.constFirst(), texts.constLast())};
        QCOMPARE(texts.join(' '), expected);
    }
};

QTEST_GUILESS_MAIN(SweepTest)
#include "sweep_test.moc"
