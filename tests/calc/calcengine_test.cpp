#include "calc/calcengine.h"

#include "commalocale.h"

#include <QTest>
#include <optional>
#include <vector>

class CalcEngineTest : public QObject
{
    Q_OBJECT

private slots:
    // position: the expression's character an error points at, -1 when it lies elsewhere.
    void evaluates_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        const auto value = [](const char* name, const QString& expression, const QString& parameters, double expected) {
            QTest::newRow(name) << expression << parameters << expected << 0 << -1;
        };
        value("two parameters in a six-row grid", "a+b", "#a||2#b||3#||#||#||##", 5);
        value("empty pairs, values without symbol and unused symbols", "a", "#||#a||4#||x#b||2##", 4);
        value("signed and spaced values", "a+b+c", "#a||-1.5#b|| +2 #c||1e2##", 100.5);
        value("power to the right, unary minus below it", "-a^2+2^3^2", "#a||3##", 503);
        value("comparisons and choice", "(a<=b)+(a>=b)+(a==b)+(a!=b)+(a>b ? 10 : 20)", "#a||2#b||5##", 22);
        value("functions of any number of arguments", "min(3,a,2)+max(a,5)+sum(1,2)+avg(2,4)", "#a||1##", 12);
        value("rounding half away from zero", "round(-2.5)+floor(1.5)+ceil(1.5)+sign(-4)", "##", -1);
        value("symbols of other scripts", "α*Länge+_x1", "#α||2#Länge||3#_x1||1##", 7);

        const auto error = [](const char* name, const QString& expression, const QString& parameters, int code,
                              int position = -1) {
            QTest::newRow(name) << expression << parameters << qQNaN() << code << position;
        };
        error("malformed string, before the expression", "x+", "#a||2", CalcEngine::MalformedParameters);
        error("text after the closing hash", "a", "#a||2##x", CalcEngine::MalformedParameters);
        error("pair with one bar", "a", "#a|2##", CalcEngine::MalformedParameters);
        error("symbol starting with a digit", "a", "#1a||2##", CalcEngine::InvalidSymbol);
        error("repeated symbol", "a", "#a||1#a||1##", CalcEngine::RepeatedSymbol);
        error("decimal comma, before the expression", "a+", "#a||1,5##", CalcEngine::NotANumber);
        error("infinity", "a", "#a||inf##", CalcEngine::NotANumber);
        error("position counted in characters", "α+*2", "#α||1##", CalcEngine::SyntaxError, 2);
        error("decimal comma in the expression", "1,5*a", "#a||1##", CalcEngine::SyntaxError, 1);
        error("unbound symbol", "2*x", "##", CalcEngine::UnknownSymbol, 2);
        error("division by zero", "a/b", "#a||1#b||0##", CalcEngine::ResultNotFinite);
    }

    // Each row also runs where the locale writes decimals with a comma.
    void evaluates()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(double, expected);
        QFETCH(int, code);
        QFETCH(int, position);
        for (const bool comma : {false, true}) {
            std::optional<CommaLocale> locale;
            if (comma)
                locale.emplace();
            CalcEngine engine;
            double result = 0;
            int error = -1;
            engine.Evaluate(expression, parameters, result, error);
            QVERIFY2(error == code, qPrintable(engine.errorMessage()));
            QCOMPARE(int(engine.lastError()), code);
            QCOMPARE(result, expected);
            QCOMPARE(engine.errorMessage().isEmpty(), code == CalcEngine::NoError);
            QCOMPARE(engine.errorPosition(), position);
        }
    }

    // A result that is not finite names the function handed a value outside its domain, and the
    // value; a fault of an earlier evaluation is never blamed for a later one.
    void namesTheFunctionOutsideItsDomain_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("message");
        QTest::newRow("square root of a negative number")
            << "(-b+sqrt(b^2-4*a*c))/(2*a)" << "#a||1#b||-3#c||5##"
            << "Square root of a negative number (-11).";
        QTest::newRow("logarithm of zero") << "ln(x)" << "#x||0##" << "Logarithm of zero (0).";
        QTest::newRow("first of two faults") << "log(x)+asin(y)" << "#x||-2#y||3##"
                                             << "Logarithm of a negative number (-2).";
        QTest::newRow("division by zero, after a fault elsewhere")
            << "x/0" << "#x||1##"
            << "The result is not a finite number: a division by zero, a value outside a function's domain, "
               "or an overflow.";
    }
    void namesTheFunctionOutsideItsDomain()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(QString, message);
        CalcEngine engine;
        double result = 0;
        int error = -1;
        engine.Evaluate("sqrt(x)", "#x||-1##", result, error);
        engine.Evaluate(expression, parameters, result, error);
        QCOMPARE(error, int(CalcEngine::ResultNotFinite));
        QCOMPARE(engine.errorMessage(), message);
    }

    // An engine keeps its parsed expression between calls; what it keeps must follow every change.
    void reusedEngineFollowsEachCall()
    {
        const struct { const char* expression; const char* parameters; double result; } steps[] = {
            {"a-b", "#a||5#b||3##", 2}, {"a-b", "#b||5#a||2##", -3}, {"a-b", "#a||4##", qQNaN()},
            {"a+", "#a||1#b||1##", qQNaN()}, {"a/b", "#a||1#b||4##", 0.25},
        };
        CalcEngine engine;
        for (const auto& step : steps) {
            double result = 0;
            int error = -1;
            engine.Evaluate(step.expression, step.parameters, result, error);
            QCOMPARE(result, step.result);
        }
    }

    // Point after point, an undefined one on the way included, the compiled path gives what
    // Evaluate gives for the same values. Zeros leave this expression undefined: it compiles all
    // the same. A failed compile leaves nothing of the expression compiled before it to evaluate.
    void compiledEvaluationAgreesWithEvaluate()
    {
        const QString expression = QStringLiteral("a/b+sqrt(c)");
        CalcEngine compiled;
        QCOMPARE(compiled.compile(expression, {"a", "b", "c"}), CalcEngine::NoError);
        CalcEngine reference;
        for (const std::vector<double>& point : std::vector<std::vector<double>>{{1, 2, 4}, {1, 0, 4}, {3, 4, -1}, {-6, 3, 0.25}}) {
            double expected = 0;
            int error = 0;
            reference.Evaluate(expression, QStringLiteral("#a||%1#b||%2#c||%3##").arg(point[0]).arg(point[1]).arg(point[2]),
                               expected, error);
            QCOMPARE(compiled.evaluate(point), expected);
        }
        QVERIFY(qIsNaN(compiled.evaluate({1, 2})));

        QCOMPARE(compiled.compile(QStringLiteral("a"), {"1a"}), CalcEngine::InvalidSymbol);
        QCOMPARE(compiled.errorPosition(), -1);
        QCOMPARE(compiled.compile(QStringLiteral("a+1"), {"a"}), CalcEngine::NoError);
        QCOMPARE(compiled.compile(QStringLiteral("α+*2"), {"α"}), CalcEngine::SyntaxError);
        QCOMPARE(compiled.errorPosition(), 2);
        QVERIFY(!compiled.errorMessage().isEmpty());
        QVERIFY(qIsNaN(compiled.evaluate({1})));
    }
};

QTEST_GUILESS_MAIN(CalcEngineTest)
#include "calcengine_test.moc"
