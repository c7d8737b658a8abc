#include "calc/calcengine.h"
#include "calc/computation.h"
#include "mainwindow/statustext.h"

#include <QTest>

using Rows = QList<GridParameter>;
Q_DECLARE_METATYPE(Rows)

// What the status line says when "Calculate" adds nothing, from the engine's verdict on the
// grid's rows as Calculate hands them over.
class StatusTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void saysWhyAndWhere_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("line");
        const GridParameter mass{"Mass", "m", "1200", "1200", "kg"};
        const GridParameter empty;
        QTest::newRow("a value that is no number, at its row and parameter")
            << "m*v" << Rows{mass, {"Velocity", "v", "1,5", "13.9", "m/s"}, empty}
            << R"(Not computed, row 2 (Velocity): The value of v, "1,5", is not a number.)";
        QTest::newRow("a nameless parameter by its row alone")
            << "m*a" << Rows{mass, {"", "a", "", "", ""}}
            << R"(Not computed, row 2: The value of a, "", is not a number.)";
        QTest::newRow("an unknown symbol at its character, counted from 1")
            << "m*q" << Rows{mass} << "Not computed, character 3 of the expression: Unknown symbol 'q'.";
        QTest::newRow("no place for a result that is not finite")
            << "m/(m-m)" << Rows{mass}
            << "Not computed: The result is not a finite number: a division by zero, a value outside a "
               "function's domain, or an overflow.";
        QTest::newRow("a value the engine cannot be handed")
            << "m" << Rows{mass, {"Velocity", "v", "1#m||2", "13.9", "m/s"}}
            << "Not computed, row 2 (Velocity): A symbol or value cannot hold '#' or '|'.";
    }
    void saysWhyAndWhere()
    {
        QFETCH(QString, expression);
        QFETCH(Rows, rows);
        QFETCH(QString, line);
        const std::optional<QString> parameters = Computation::parameterString(rows);
        if (!parameters) {
            QCOMPARE(StatusText::untransferable(rows), line);
            return;
        }
        CalcEngine engine;
        double result = 0;
        int error = 0;
        engine.Evaluate(expression, *parameters, result, error);
        QVERIFY(error != 0);
        QCOMPARE(StatusText::engineFailure(engine, rows), line);
    }
};

QTEST_MAIN(StatusTextTest)
#include "statustext_test.moc"
