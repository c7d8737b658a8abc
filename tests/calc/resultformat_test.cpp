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
        QTest::newRow("two thirds at 1") << 2.0 / 3 << 1 << "0.7";
        QTest::newRow("two thirds at 8") << 2.0 / 3 << 8 << "0.66666667";
        QTest::newRow("negative half rounds away from zero") << -2.25 << 1 << "-2.3";
        QTest::newRow("half as the decimal reads, below it in binary") << 2.675 << 2 << "2.68";
        QTest::newRow("carry makes a new digit") << 9.95 << 1 << "10.0";
        QTest::newRow("negative rounding to zero") << -0.0004 << 3 << "0.000";
        QTest::newRow("no grouping of thousands") << 1234567.891 << 2 << "1234567.89";
        QTest::newRow("largest double in full digits") << DBL_MAX << 1 << "17976931348623157" + QString(292, u'0') + ".0";
        QTest::newRow("precision 0") << 2.5 << 0 << "";
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
