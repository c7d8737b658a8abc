// The engine, the result format and what the status line says of a result; main runs every
// test twice, the second time where the locale writes decimals with a comma.
#include "calc/calcengine.h"
#include "calc/computation.h"
#include "calc/computationtext.h"
#include "calc/parameterstring.h"
#include "calc/resultformat.h"
#include "calc/sweep.h"
#include "editor/formulas.h"

#include <QLocale>
#include <QTest>
#include <cfloat>
#include <clocale>
#include <locale>

// Decimals written with a comma and thousands grouped with a point, as on a German desktop.
struct CommaPoint : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

Q_DECLARE_METATYPE(Formula)

class CalcEngineTest : public QObject
{
    Q_OBJECT

private slots:
    // position: the expression's character an error points at, -1 when it lies elsewhere;
    // message: how the error message starts.
    void evaluates_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("message");
        const auto value = [](const char* name, const QString& expression, const QString& parameters, double expected) {
            QTest::newRow(name) << expression << parameters << expected << 0 << -1 << QString();
        };
        value("two parameters in a six-row grid", "a+b", "#a||2#b||3#||#||#||##", 5);
        value("empty pairs, values without symbol and unused symbols", "a", "#||#a||4#||x#b||2##", 4);
        value("signed and spaced values", "a+b+c", "#a||-1.5#b|| +2 #c||1e2##", 100.5);
        value("power to the right, unary minus below it", "-a^2+2^3^2", "#a||3##", 503);
        value("comparisons and choice", "(a<=b)+(a>=b)+(a==b)+(a!=b)+(a>b ? 10 : 20)", "#a||2#b||5##", 22);
        value("functions of any number of arguments", "min(3,a,2)+max(a,5)+sum(1,2)+avg(2,4)", "#a||1##", 12);
        value("rounding half away from zero", "round(-2.5)+floor(1.5)+ceil(1.5)+sign(-4)", "##", -1);
        value("symbols of other scripts", "α*Länge+_x1", "#α||2#Länge||3#_x1||1##", 7);
        value("the last expression, symbols swapped", "sqrt(a)+b", "#b||4#a||9##", 7);

        const auto error = [](const char* name, const QString& expression, const QString& parameters, int code,
                              int position = -1, const QString& message = {}) {
            QTest::newRow(name) << expression << parameters << qQNaN() << code << position << message;
        };
        error("malformed string, before the expression", "x+", "#a||2", CalcEngine::MalformedParameters);
        error("text after the closing hash", "a", "#a||2##x", CalcEngine::MalformedParameters);
        error("symbol starting with a digit", "a", "#1a||2##", CalcEngine::InvalidSymbol);
        error("repeated symbol", "a", "#a||1#a||1##", CalcEngine::RepeatedSymbol);
        error("decimal comma, before the expression", "a+", "#a||1,5##", CalcEngine::NotANumber);
        error("infinity", "a", "#a||inf##", CalcEngine::NotANumber);
        error("position counted in characters", "α+*2", "#α||1##", CalcEngine::SyntaxError, 2);
        error("decimal comma in the expression", "1,5*a", "#a||1##", CalcEngine::SyntaxError, 1);
        error("the last expression, a symbol gone", "sqrt(a)+b", "#a||4##", CalcEngine::UnknownSymbol, 8);
        // A result that is not finite names the function handed a value outside its domain.
        error("square root of a negative number", "sqrt(b^2-4*c)", "#b||1#c||3##", CalcEngine::ResultNotFinite, -1,
              "Square root of a negative number (-11).");
        error("first of two faults", "log(x)+asin(y)", "#x||-2#y||3##", CalcEngine::ResultNotFinite, -1,
              "Logarithm of a negative number (-2).");
    }

    // Each row runs on an engine whose last evaluation failed: the parsed expression it keeps
    // must follow the new symbols, and its fault is never blamed for the next.
    void evaluates()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(double, expected);
        QFETCH(int, code);
        QFETCH(int, position);
        QFETCH(QString, message);
        CalcEngine engine;
        double result = 0;
        int error = -1;
        engine.Evaluate("sqrt(a)+b", "#a||-1#b||1##", result, error);
        engine.Evaluate(expression, parameters, result, error);
        QVERIFY2(error == code, qPrintable(engine.errorMessage()));
        QCOMPARE(result, expected);
        QCOMPARE(engine.errorMessage().isEmpty(), code == CalcEngine::NoError);
        QVERIFY2(engine.errorMessage().startsWith(message), qPrintable(engine.errorMessage()));
        QCOMPARE(engine.errorPosition(), position);
    }

    // Zeros leave this expression undefined: it compiles all the same, and points where it is
    // undefined give NaN. A failed compile leaves nothing of the one before it to evaluate.
    void compiledEvaluation()
    {
        CalcEngine engine;
        QCOMPARE(engine.compile("a/b+sqrt(c)", {"a", "b", "c"}), CalcEngine::NoError);
        QCOMPARE(engine.evaluate({-6, 3, 0.25}), -1.5);
        QVERIFY(qIsNaN(engine.evaluate({1, 0, 4})));
        QVERIFY(qIsNaN(engine.evaluate({1, 2})));
        QCOMPARE(engine.compile("a+1", {"a"}), CalcEngine::NoError);
        QCOMPARE(engine.compile("α+*2", {"α"}), CalcEngine::SyntaxError);
        QCOMPARE(engine.errorPosition(), 2);
        QVERIFY(qIsNaN(engine.evaluate({1})));
    }

    // Calculate with the grid's rows of R and I and an empty row: why there is no value, placed
    // at the grid row and parameter when a value is at fault, at the character when the expression
    // is. (A value computed: the window's calculation test.)
    void evaluatesTheGrid_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("failure"); // how it starts
        const QString row1 = "Not computed, row 1 (Resistance): ";
        const QString row2 = "Not computed, row 2 (Current): ";
        QTest::newRow("the parameter string's own separators")
            << "R*I" << QStringList{"1", "1#R||2"} << row2 + "A symbol or value cannot hold '#' or '|'.";
        QTest::newRow("quote and comment") << "R*I" << QStringList{"1'); delete from ParaResult; --", "1"}
                                           << row1 + "The value of R, \"1'); delete from ParaResult; --\", is not a number.";
        QTest::newRow("NUL") << "R*I" << QStringList{QStringLiteral("1") + QChar(0), "1"} << row1;
        QTest::newRow("lone surrogate") << "R*I" << QStringList{"1", QStringLiteral("1") + QChar(0xD800)} << row2;
        QTest::newRow("a digit outside the first plane") << "R*I" << QStringList{"1", QString::fromUtf8("2𝟘")} << row2;
        QTest::newRow("10,000 digits") << "R*I" << QStringList{QString(10000, '9'), "1"} << row1;
        QTest::newRow("result out of range") << "R*I" << QStringList{"1e300", "1e300"}
                                             << "Not computed: The result is not a finite number";
        QTest::newRow("unknown symbol") << "R*q" << QStringList{"1", "1"}
                                        << "Not computed, character 3 of the expression: Unknown symbol 'q'.";
    }
    void evaluatesTheGrid()
    {
        QFETCH(QString, expression);
        QFETCH(QStringList, inputs);
        QFETCH(QString, failure);
        const QList<GridRow> rows{{{"Resistance", "R", "Ω", "220", {}}, inputs.at(0)},
                                  {{"Current", "I", "A", "0.05", {}}, inputs.at(1)},
                                  {}};
        const Computation::Evaluation evaluation = Computation::evaluate(expression, rows);
        QVERIFY(!evaluation.value);
        QVERIFY2(evaluation.failure.startsWith(failure), qPrintable(evaluation.failure));
    }

    // The grid's rows travel to the engine and back as they are, empty rows included; a text that
    // would change the pairs cannot travel.
    void parameterStrings_data()
    {
        QTest::addColumn<QStringList>("pairs"); // symbol, value, symbol, value, …
        QTest::addColumn<QString>("text");       // empty: cannot travel
        QTest::newRow("two rows of a six-row grid") << QStringList{"a", "2", "b", "3", "", "", "", ""} << "#a||2#b||3#||#||##";
        QTest::newRow("no rows") << QStringList{} << "##";
        QTest::newRow("blanks and signs kept") << QStringList{"α", " -1.5 "} << "#α|| -1.5 ##";
        QTest::newRow("a bar in a symbol") << QStringList{"a|b", "1"} << "";
    }
    void parameterStrings()
    {
        QFETCH(QStringList, pairs);
        QFETCH(QString, text);
        QList<ParameterString::Pair> rows;
        for (int i = 0; i + 1 < pairs.size(); i += 2)
            rows.append({pairs.at(i), pairs.at(i + 1)});
        QCOMPARE(ParameterString::build(rows).value_or(QString()), text);
        if (!text.isEmpty())
            QCOMPARE(ParameterString::parse(text).pairs, rows);
    }

    // A range typed as FROM:TO:STEP, read as numbers whatever the locale; the values it then
    // takes are the sweep test's.
    void sweepRanges_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<QList<double>>("values"); // none: refused
        QTest::newRow("down, the step's sign from the direction") << "1:0:-0.5" << QList<double>{1, 0.5, 0};
        QTest::newRow("two parts") << "0:1" << QList<double>{};
        QTest::newRow("decimal comma") << "0:1,5:1" << QList<double>{};
    }
    void sweepRanges()
    {
        QFETCH(QString, range);
        QFETCH(QList<double>, values);
        QString problem;
        const std::optional<Sweep::Range> parsed = Sweep::Range::parse(range, problem);
        QCOMPARE(parsed.has_value(), !values.isEmpty());
        QCOMPARE(problem.isEmpty(), !values.isEmpty());
        const std::vector<double> swept = parsed ? parsed->values() : std::vector<double>();
        QCOMPARE(QList<double>(swept.begin(), swept.end()), values);
    }

    // Half away from zero, on the decimal the value reads as rather than the nearest double.
    void formatsResults_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("preci");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two thirds at 4") << 2.0 / 3 << 4 << "0.6667";
        QTest::newRow("negative half") << -2.25 << 1 << "-2.3";
        QTest::newRow("half as the decimal reads, below it in binary") << 2.675 << 2 << "2.68";
        QTest::newRow("carry makes a new digit") << 9.95 << 1 << "10.0";
        QTest::newRow("negative rounding to zero") << -0.0004 << 3 << "0.000";
        QTest::newRow("no grouping of thousands") << 1234567.891 << 2 << "1234567.89";
        QTest::newRow("largest double in full digits") << DBL_MAX << 1 << "17976931348623157" + QString(292, u'0') + ".0";
        QTest::newRow("precision 0") << 2.5 << 0 << "";
    }
    void formatsResults()
    {
        QFETCH(double, value);
        QFETCH(int, preci);
        QFETCH(QString, expected);
        QCOMPARE(formatResult(value, preci), expected);
    }

    // A computation of KineticEnergy with the expression used, recalled after its formula
    // became now (no name: gone from the library), with the result value at precision.
    void recallNotes_data()
    {
        QTest::addColumn<QString>("used");
        QTest::addColumn<Formula>("now");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("note");
        const QString used = "m*v^2/2";
        const Formula made{"KineticEnergy", "Ek", "J", used, "", "2",
                           {{"Mass", "m", "kg", "1200", ""}, {"Velocity", "v", "m/s", "13.9", ""}}};
        const QString earlier = "Computed with an earlier version of this formula: ";
        QTest::newRow("unchanged") << used << made << 115926.0 << 2 << "";
        Formula changed = made;
        changed.function = "E";
        changed.unit = "kJ";
        changed.precision = "3";
        QTest::newRow("function, unit and precision")
            << used << changed << 115926.0 << 2
            << earlier + "function name was Ek; result unit was J; precision was 2 decimal places";
        changed = made;
        changed.parameters.prepend({"Height", "h", "m", "0", ""});
        changed.parameters[2].unit = "km/h";
        QTest::newRow("a parameter more, another's unit")
            << used << changed << 115926.0 << 2 << earlier + "parameter list was m, v; unit of v was m/s";
        changed = made;
        changed.parameters[0].name = "Body mass";
        changed.description = "Moving body";
        QTest::newRow("only names and texts") << used << changed << 115926.0 << 2 << "";
        QTest::newRow("gone from the library") << "m*v^2" << Formula{} << 115926.0 << 2 << "";

        const QString full = "Result in full: Ek = %1 J (the list shows %2)";
        QTest::newRow("negative, rounded to zero") << used << made << -1.2e-6 << 2 << full.arg("-1.2e-06", "0.00");
        QTest::newRow("no decimal places, formula gone") << used << Formula{} << 3.5 << 0 << full.arg("3.5", "none of it");
        QTest::newRow("zero") << used << made << 0.0 << 2 << "";
        QTest::newRow("smallest digit shown") << used << made << 0.005 << 2 << "";
        QTest::newRow("long expression changed, rounded to zero")
            << QString(41, 'm') << made << 0.004 << 2 << earlier + "expression has changed — " + full.arg("0.004", "0.00");
    }
    void recallNotes()
    {
        QFETCH(QString, used);
        QFETCH(Formula, now);
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(QString, note);
        const ComputationRecord computation{"KineticEnergy", "1", "9:00:00", value, "Ek", used, "J", precision,
                                            {{{"Mass", "m", "kg", "1200", {}}, "1200"}, {{"Velocity", "v", "m/s", "13.9", {}}, "13.9"}}};
        QCOMPARE(ComputationText::recallNote(computation, now.name.isEmpty() ? std::nullopt : std::optional(now)), note);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CalcEngineTest test;
    const int failures = QTest::qExec(&test, argc, argv);
    // Again in C++ streams, in QLocale() and, where the machine has the locale, in C.
    std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German));
    return failures + QTest::qExec(&test, argc, argv);
}

#include "calcengine_test.moc"
