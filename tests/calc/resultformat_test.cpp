#include "calc/resultformat.h"

#include "commalocale.h"

#include <QTest>
#include <cfloat>
#include <optional>

class ResultFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("preci");
        QTest::addColumn<QString>("expected");
        const char* const twoThirds[] = {"0.7", "0.67", "0.667", "0.6667", "0.66667", "0.666667", "0.6666667", "0.66666667"};
        for (int preci = 1; preci <= 8; ++preci)
            QTest::addRow("two thirds at %d", preci) << 2.0 / 3 << preci << twoThirds[preci - 1];
        QTest::newRow("half rounds up") << 2.25 << 1 << "2.3";
        QTest::newRow("negative half rounds away from zero") << -2.25 << 1 << "-2.3";
        QTest::newRow("half as the decimal reads, below it in binary") << 2.675 << 2 << "2.68";
        QTest::newRow("half of the last place at the first digit") << 0.05 << 1 << "0.1";
        QTest::newRow("carry makes a new digit") << 9.95 << 1 << "10.0";
        QTest::newRow("negative zero") << -0.0 << 2 << "0.00";
        QTest::newRow("negative rounding to zero") << -0.0004 << 3 << "0.000";
        QTest::newRow("no grouping of thousands") << 1234567.891 << 2 << "1234567.89";
        QTest::newRow("largest double in full digits") << DBL_MAX << 1 << "17976931348623157" + QString(292, u'0') + ".0";
        QTest::newRow("tiny value") << 1e-300 << 4 << "0.0000";
        QTest::newRow("precision 0") << 2.5 << 0 << "";
        QTest::newRow("precision 9") << 2.5 << 9 << "";
        QTest::newRow("not finite") << qInf() << 2 << "";
    }

    // Each row also runs where the locale writes decimals with a comma and groups thousands.
    void formats()
    {
        QFETCH(double, value);
        QFETCH(int, preci);
        QFETCH(QString, expected);
        for (const bool comma : {false, true}) {
            std::optional<CommaLocale> locale;
            if (comma)
                locale.emplace();
            QCOMPARE(formatResult(value, preci), expected);
        }
    }
};

QTEST_GUILESS_MAIN(ResultFormatTest)
#include "resultformat_test.moc"
