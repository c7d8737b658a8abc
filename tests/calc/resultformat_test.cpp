#include "calc/resultformat.h"

#include "commalocale.h"

#include <QTest>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

void addRows()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("preci");
    QTest::addColumn<QString>("expected");
    const char* const twoThirds[] = { "0.7", "0.67", "0.667", "0.6667", "0.66667", "0.666667", "0.6666667", "0.66666667" };
    for (int preci = 1; preci <= 8; ++preci)
        QTest::addRow("two thirds at %d", preci) << 2.0 / 3 << preci << twoThirds[preci - 1];

    QTest::newRow("half rounds up") << 2.25 << 1 << "2.3";
    QTest::newRow("negative half rounds away from zero") << -2.25 << 1 << "-2.3";
    QTest::newRow("just below half rounds down") << 2.2499 << 1 << "2.2";
    QTest::newRow("2.675 lies below in binary") << 2.675 << 2 << "2.68";
    QTest::newRow("1.005 lies below in binary") << 1.005 << 2 << "1.01";
    QTest::newRow("0.15 lies below in binary") << 0.15 << 1 << "0.2";
    QTest::newRow("half of the last place at the first digit") << 0.05 << 1 << "0.1";
    QTest::newRow("carry makes a new digit") << 9.95 << 1 << "10.0";
    QTest::newRow("carry through every digit") << 99.995 << 2 << "100.00";
    QTest::newRow("exact value padded with zeros") << 2.0 << 3 << "2.000";
    QTest::newRow("zero") << 0.0 << 1 << "0.0";
    QTest::newRow("negative zero") << -0.0 << 2 << "0.00";
    QTest::newRow("negative rounding to zero") << -0.0004 << 3 << "0.000";
    QTest::newRow("negative rounding away from zero") << -0.0005 << 3 << "-0.001";
    QTest::newRow("negative below one") << -0.25 << 2 << "-0.25";
    QTest::newRow("no grouping of thousands") << 1234567.891 << 2 << "1234567.89";
    QTest::newRow("large value in full digits") << 1e20 << 2 << "100000000000000000000.00";
    QTest::newRow("largest double") << DBL_MAX << 1 << "17976931348623157" + QString(292, u'0') + ".0";
    QTest::newRow("tiny value") << 1e-300 << 4 << "0.0000";
    QTest::newRow("smallest double") << std::numeric_limits<double>::denorm_min() << 8 << "0.00000000";
    QTest::newRow("tiny value rounding up") << 0.00005 << 4 << "0.0001";
    QTest::newRow("precision 0") << 2.5 << 0 << "";
    QTest::newRow("precision 9") << 2.5 << 9 << "";
    QTest::newRow("negative precision") << 2.5 << -1 << "";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 2 << "";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 2 << "";
}

} // namespace

class ResultFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void formats_data() { addRows(); }

    void formats()
    {
        QFETCH(double, value);
        QFETCH(int, preci);
        QFETCH(QString, expected);
        QCOMPARE(formatResult(value, preci), expected);
    }

    void ignoresTheLocale_data() { addRows(); }

    void ignoresTheLocale()
    {
        QFETCH(double, value);
        QFETCH(int, preci);
        QFETCH(QString, expected);
        const CommaLocale commaLocale;
        QCOMPARE(QLocale().toString(1234.5, 'f', 1), QStringLiteral("1.234,5"));
        QCOMPARE(formatResult(value, preci), expected);
    }
};

QTEST_GUILESS_MAIN(ResultFormatTest)
#include "resultformat_test.moc"
