#include "calc/parameterstring.h"

#include <QTest>

using Pairs = QList<ParameterString::Pair>;
Q_DECLARE_METATYPE(Pairs)

class ParameterStringTest : public QObject
{
    Q_OBJECT

private slots:
    // Each text is what the rows build and what parses back into them (building is one-to-one);
    // the string has no quoting, so rows holding its own separators are refused.
    void roundTrips_data()
    {
        QTest::addColumn<Pairs>("rows");
        QTest::addColumn<QString>("text");
        const ParameterString::Pair empty;
        QTest::newRow("two parameters in a six-row grid")
            << Pairs{{"a", "2"}, {"b", "3"}, empty, empty, empty} << "#a||2#b||3#||#||#||##";
        QTest::newRow("five parameters fill the grid")
            << Pairs{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}} << "#a||1#b||2#c||3#d||4#e||5##";
        QTest::newRow("texts as they stand, either half empty")
            << Pairs{{" a ", "1,5"}, {"", "7"}, {"Länge", ""}} << "# a ||1,5#||7#Länge||##";
        QTest::newRow("hash in a value") << Pairs{{"a", "2#b||3"}} << "<refused>";
        QTest::newRow("bar in a symbol") << Pairs{{"a|", "1"}} << "<refused>";
    }

    void roundTrips()
    {
        QFETCH(Pairs, rows);
        QFETCH(QString, text);
        QCOMPARE(ParameterString::build(rows).value_or("<refused>"), text);
        if (text == "<refused>")
            return;
        const ParameterString::Parsed parsed = ParameterString::parse(text);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(ParameterString::build(parsed.pairs).value_or("<refused>"), text);
    }

    void rejectsMalformedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("lone hash") << "#";
        QTest::newRow("missing closing hash") << "#a||2#";
        QTest::newRow("text after the closing hash") << "#a||2##x";
        QTest::newRow("pair with one bar") << "#a|2##";
        QTest::newRow("later pair with two separators") << "#a||1#b||2||3##";
        QTest::newRow("extra hash after the pairs") << "#a||2###";
    }

    void rejectsMalformedText()
    {
        QFETCH(QString, text);
        const ParameterString::Parsed parsed = ParameterString::parse(text);
        QVERIFY(!parsed.ok());
        QVERIFY(parsed.pairs.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ParameterStringTest)
#include "parameterstring_test.moc"
