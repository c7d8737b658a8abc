#include "calc/calcengine.h"

#include "commalocale.h"

#include <QTest>
#include <cmath>
#include <sstream>

namespace {

struct Outcome
{
    double result = 0;
    int error = -1;
};

Outcome evaluate(CalcEngine& engine, const QString& expression, const QString& parameters)
{
    Outcome outcome;
    engine.Evaluate(expression, parameters, outcome.result, outcome.error);
    return outcome;
}

void addValueRows()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<double>("expected");
    QTest::newRow("two parameters in a six-row grid") << "a+b" << "#a||2#b||3#||#||#||##" << 5.0;
    QTest::newRow("product before sum") << "a+b*c" << "#a||1#b||2#c||3##" << 7.0;
    QTest::newRow("parentheses first") << "(a+b)*c" << "#a||1#b||2#c||3##" << 9.0;
    QTest::newRow("division") << "a/b" << "#a||7#b||2##" << 3.5;
    QTest::newRow("power groups to the right") << "2^3^2" << "##" << 512.0;
    QTest::newRow("unary minus below power") << "-a^2" << "#a||3##" << -9.0;
    QTest::newRow("minus after an operator") << "a*-b" << "#a||2#b||3##" << -6.0;
    QTest::newRow("comparison and choice") << "a>b ? a : b" << "#a||2#b||5##" << 5.0;
    QTest::newRow("log is base 10") << "log(1000)" << "##" << 3.0;
    QTest::newRow("ln is natural") << "ln(_e^2)" << "##" << 2.0;
    QTest::newRow("log10 and log2") << "log10(0.01)+log2(8)" << "##" << 1.0;
    QTest::newRow("angles in radians") << "sin(_pi/2)+cos(0)+tan(0)" << "##" << 2.0;
    QTest::newRow("inverse trigonometry") << "asin(1)+acos(1)+atan(1)*4-_pi" << "##" << 1.5707963267948966;
    QTest::newRow("sqrt abs exp") << "sqrt(abs(-16))*exp(0)" << "##" << 4.0;
    QTest::newRow("functions of two arguments") << "hypot(3,4)+atan2(0,1)" << "##" << 5.0;
    QTest::newRow("functions of any number of arguments") << "min(3,a,2)+max(a,5)+sum(1,2)+avg(2,4)"
                                                          << "#a||1##" << 12.0;
    QTest::newRow("rounding half away from zero") << "round(-2.5)+floor(1.5)+ceil(1.5)+sign(-4)" << "##" << -1.0;
    QTest::newRow("number literals") << "2.5*a+.5+1e1+2E-1+5." << "#a||2##" << 20.7;
    QTest::newRow("signed and spaced values") << "a+b+c" << "#a||-1.5#b|| +2 #c||1e2##" << 100.5;
    QTest::newRow("value with a trailing point") << "a" << "#a||5.##" << 5.0;
    QTest::newRow("unused symbols are fine") << "a" << "#a||1#b||2##" << 1.0;
    QTest::newRow("no parameters") << "2*3" << "##" << 6.0;
    QTest::newRow("empty pairs are skipped") << "a" << "#||#a||4#||##" << 4.0;
    QTest::newRow("a value without symbol is skipped") << "a" << "#||x#a||4##" << 4.0;
    QTest::newRow("symbols of other scripts") << "α*Länge+_x1" << "#α||2#Länge||3#_x1||1##" << 7.0;
    QTest::newRow("symbol named like a function") << "min(min,1)" << "#min||0.5##" << 0.5;
    QTest::newRow("symbols are case-sensitive") << "a-A" << "#a||5#A||2##" << 3.0;
    QTest::newRow("blanks in the expression") << " a *\tb " << "#a||2#b||3##" << 6.0;
}

} // namespace

class CalcEngineTest : public QObject
{
    Q_OBJECT

private slots:
    void evaluates_data() { addValueRows(); }

    void evaluates()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(double, expected);
        CalcEngine engine;
        const Outcome outcome = evaluate(engine, expression, parameters);
        QVERIFY2(outcome.error == CalcEngine::NoError, qPrintable(engine.errorMessage()));
        QCOMPARE(outcome.result, expected);
        QVERIFY(engine.errorMessage().isEmpty());
        QCOMPARE(engine.errorPosition(), -1);
    }

    // position: the character of the expression the error points at, -1 when it lies elsewhere.
    void reportsErrors_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");

        const int malformed = CalcEngine::MalformedParameters;
        QTest::newRow("empty parameter string") << "a" << "" << malformed << -1;
        QTest::newRow("missing leading hash") << "a" << "a||2##" << malformed << -1;
        QTest::newRow("missing closing hash") << "a" << "#a||2#" << malformed << -1;
        QTest::newRow("pair without bars") << "a" << "#a2##" << malformed << -1;
        QTest::newRow("malformed string before a bad expression") << "x+" << "#a||2" << malformed << -1;

        const int invalid = CalcEngine::InvalidSymbol;
        QTest::newRow("symbol starting with a digit") << "a" << "#1a||2##" << invalid << -1;
        QTest::newRow("symbol with an operator") << "a" << "#a-b||2##" << invalid << -1;
        QTest::newRow("symbol with a superscript") << "a" << "#x²||2##" << invalid << -1;
        QTest::newRow("symbol naming a constant") << "a" << "#_pi||3##" << invalid << -1;
        QTest::newRow("symbol too long for the parser") << "a" << "#" + QString(300, u'a') + "||1##" << invalid << -1;
        QTest::newRow("repeated symbol") << "a" << "#a||1#a||1##" << int(CalcEngine::RepeatedSymbol) << -1;

        const int nan = CalcEngine::NotANumber;
        QTest::newRow("decimal comma") << "a" << "#a||1,5##" << nan << -1;
        QTest::newRow("letters") << "a" << "#a||abc##" << nan << -1;
        QTest::newRow("empty value") << "a" << "#a||##" << nan << -1;
        QTest::newRow("exponent without digits") << "a" << "#a||1e##" << nan << -1;
        QTest::newRow("hexadecimal") << "a" << "#a||0x10##" << nan << -1;
        QTest::newRow("infinity") << "a" << "#a||inf##" << nan << -1;
        QTest::newRow("digits of another script") << "a" << "#a||٣##" << nan << -1;
        QTest::newRow("value beyond double") << "a" << "#a||1e999##" << nan << -1;
        QTest::newRow("bad value of an unused symbol") << "a" << "#a||1#b||x##" << nan << -1;
        QTest::newRow("bad value before a bad expression") << "a+" << "#a||x##" << nan << -1;

        const int syntax = CalcEngine::SyntaxError;
        QTest::newRow("dangling operator") << "a+" << "#a||1##" << syntax << 2;
        QTest::newRow("doubled operator") << "a+*b" << "#a||1#b||1##" << syntax << 2;
        QTest::newRow("unclosed parenthesis") << "(a" << "#a||1##" << syntax << 2;
        QTest::newRow("stray parenthesis") << "a)" << "#a||1##" << syntax << 1;
        QTest::newRow("decimal comma in the expression") << "1,5*a" << "#a||1##" << syntax << 1;
        QTest::newRow("lone equals sign") << "a=3" << "#a||1##" << syntax << 1;
        QTest::newRow("empty expression") << "" << "##" << syntax << -1;
        QTest::newRow("function without parentheses") << "2*sin" << "##" << syntax << 2;
        QTest::newRow("blank before a function's parenthesis") << "sin (1)" << "##" << syntax << 0;
        QTest::newRow("too many arguments") << "sin(1,2)" << "##" << syntax << 7;
        QTest::newRow("juxtaposed values") << "2 a" << "#a||1##" << syntax << 2;
        QTest::newRow("literal beyond double") << "a*1e999" << "#a||1##" << syntax << 2;
        QTest::newRow("multiplication sign") << "a×b" << "#a||1#b||1##" << syntax << 0;
        QTest::newRow("position counted in characters") << "α+*2" << "#α||1##" << syntax << 2;

        const int unknown = CalcEngine::UnknownSymbol;
        QTest::newRow("unbound symbol") << "x+1" << "##" << unknown << 0;
        QTest::newRow("unbound after a non-ASCII symbol") << "α+x" << "#α||1##" << unknown << 2;
        QTest::newRow("unknown function") << "1+foo(2)" << "##" << unknown << 2;
        QTest::newRow("symbol in the wrong case") << "A" << "#a||1##" << unknown << 0;
        QTest::newRow("a value without symbol binds nothing") << "b" << "#||2##" << unknown << 0;

        const int notFinite = CalcEngine::ResultNotFinite;
        QTest::newRow("division by zero") << "a/b" << "#a||1#b||0##" << notFinite << -1;
        QTest::newRow("square root of a negative") << "sqrt(a)" << "#a||-1##" << notFinite << -1;
        QTest::newRow("logarithm of zero") << "ln(0)" << "##" << notFinite << -1;
        QTest::newRow("arcsine beyond one") << "asin(2)" << "##" << notFinite << -1;
        QTest::newRow("overflow") << "a^400" << "#a||10##" << notFinite << -1;
    }

    void reportsErrors()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(int, code);
        QFETCH(int, position);
        CalcEngine engine;
        const Outcome outcome = evaluate(engine, expression, parameters);
        QVERIFY2(outcome.error == code, qPrintable(QStringLiteral("code %1: %2").arg(outcome.error).arg(engine.errorMessage())));
        QCOMPARE(int(engine.lastError()), code);
        QVERIFY(std::isnan(outcome.result));
        QVERIFY(!engine.errorMessage().isEmpty());
        QCOMPARE(engine.errorPosition(), qsizetype(position));
    }

    // An engine keeps its parser between calls; what it keeps must follow every change.
    void reusedEngineFollowsEachCall()
    {
        CalcEngine engine;
        const QString product = QStringLiteral("a*b");
        QCOMPARE(evaluate(engine, product, "#a||2#b||3##").result, 6.0);
        QCOMPARE(evaluate(engine, product, "#a||4#b||3##").result, 12.0);
        QCOMPARE(evaluate(engine, product, "#a||4##").error, int(CalcEngine::UnknownSymbol));
        QCOMPARE(evaluate(engine, product, "#b||5#a||2##").result, 10.0);
        QCOMPARE(evaluate(engine, product, "#a||x#b||1##").error, int(CalcEngine::NotANumber));
        QCOMPARE(evaluate(engine, product, "#a||1#b||1##").result, 1.0);
        QCOMPARE(evaluate(engine, QStringLiteral("a+b"), "#a||1#b||1##").result, 2.0);
        QCOMPARE(evaluate(engine, QStringLiteral("a+"), "#a||1#b||1##").error, int(CalcEngine::SyntaxError));
        QCOMPARE(evaluate(engine, QStringLiteral("a/b"), "#a||1#b||0##").error, int(CalcEngine::ResultNotFinite));
        const Outcome last = evaluate(engine, QStringLiteral("a/b"), "#a||1#b||4##");
        QCOMPARE(last.result, 0.25);
        QCOMPARE(engine.lastError(), CalcEngine::NoError);
        QVERIFY(engine.errorMessage().isEmpty());
        QCOMPARE(engine.errorPosition(), -1);
    }

    // The same rows on a machine whose locale writes decimals with a comma.
    void ignoresTheLocale_data() { addValueRows(); }

    void ignoresTheLocale()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(double, expected);
        const CommaLocale commaLocale;
        std::ostringstream stream;
        stream << 1.5;
        QCOMPARE(stream.str(), std::string("1,5"));
        QCOMPARE(QLocale().toString(1.5), QStringLiteral("1,5"));

        CalcEngine engine;
        const Outcome outcome = evaluate(engine, expression, parameters);
        QVERIFY2(outcome.error == CalcEngine::NoError, qPrintable(engine.errorMessage()));
        QCOMPARE(outcome.result, expected);
        QCOMPARE(evaluate(engine, QStringLiteral("a"), "#a||1,5##").error, int(CalcEngine::NotANumber));
    }
};

QTEST_GUILESS_MAIN(CalcEngineTest)
#include "calcengine_test.moc"
