#include "calc/parameterstring.h"

#include <QTest>

using ParameterString::Pair;
using Pairs = QList<Pair>;

Q_DECLARE_METATYPE(Pairs)

namespace QTest {
template<>
char* toString(const Pairs& pairs)
{
    QStringList texts;
    for (const Pair& pair : pairs)
        texts << pair.symbol + QStringLiteral("=") + pair.value;
    return qstrdup(qPrintable(QStringLiteral("[") + texts.join(QStringLiteral(", ")) + QStringLiteral("]")));
}
} // namespace QTest

class ParameterStringTest : public QObject
{
    Q_OBJECT

private slots:
    // Each text is both what the grid rows build and what parses back into those rows.
    void roundTrips_data()
    {
        QTest::addColumn<Pairs>("rows");
        QTest::addColumn<QString>("text");
        const Pair empty;
        QTest::newRow("two parameters in a six-row grid")
            << Pairs{ { "a", "2" }, { "b", "3" }, empty, empty, empty } << "#a||2#b||3#||#||#||##";
        QTest::newRow("five parameters fill the grid")
            << Pairs{ { "a", "1" }, { "b", "2" }, { "c", "3" }, { "d", "4" }, { "e", "5" } }
            << "#a||1#b||2#c||3#d||4#e||5##";
        QTest::newRow("no rows") << Pairs{} << "##";
        QTest::newRow("texts as they stand") << Pairs{ { " a ", "1,5" }, { "Länge", "" } } << "# a ||1,5#Länge||##";
        QTest::newRow("symbol without value and value without symbol")
            << Pairs{ { "a", "" }, { "", "7" } } << "#a||#||7##";
    }

    void roundTrips()
    {
        QFETCH(Pairs, rows);
        QFETCH(QString, text);
        QCOMPARE(ParameterString::build(rows).value_or(QStringLiteral("<refused>")), text);
        const ParameterString::Parsed parsed = ParameterString::parse(text);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.pairs, rows);
    }

    // The string has no quoting, so these texts would change how it splits.
    void refusesTextsItCannotCarry_data()
    {
        QTest::addColumn<Pairs>("rows");
        QTest::newRow("hash in a value") << Pairs{ { "a", "2#b||3" } };
        QTest::newRow("bar in a value") << Pairs{ { "a", "|1" } };
        QTest::newRow("bar in a symbol") << Pairs{ { "a|", "1" } };
        QTest::newRow("hash in a later symbol") << Pairs{ { "a", "1" }, { "#", "1" } };
    }

    void refusesTextsItCannotCarry()
    {
        QFETCH(Pairs, rows);
        QVERIFY(!ParameterString::build(rows));
    }

    void rejectsMalformedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("missing leading hash") << "a||2##";
        QTest::newRow("lone hash") << "#";
        QTest::newRow("missing closing hash") << "#a||2#";
        QTest::newRow("missing both closing hashes") << "#a||2";
        QTest::newRow("pair without bars") << "#a2##";
        QTest::newRow("pair with one bar") << "#a|2##";
        QTest::newRow("pair with three bars") << "#a|||2##";
        QTest::newRow("pair with two separators") << "#a||2||3##";
        QTest::newRow("extra hash after the pairs") << "#a||2###";
        QTest::newRow("doubled opening hash") << "##a||2##";
        QTest::newRow("text after the closing hash") << "#a||2##x";
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
