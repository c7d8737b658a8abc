// Saving formulas, the variables a formula sees and the live expression check, without a window.
#include "calc/calcengine.h"
#include "editor/expressioncheck.h"
#include "editor/formulas.h"
#include "libraryfixture.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QTest>

using Formulas::Problem;
Q_DECLARE_METATYPE(Formula)
Q_DECLARE_METATYPE(Problem)

namespace {

Formula valid()
{
    return {"Lever", "F2", "N", "F1*a/b", "Force on the short arm", "3",
            {{"Force", "F1", "N", "10", ""}, {"Long arm", "a", "m", "2", ""}, {"Short arm", "b", "m", "0.5", ""}}};
}

Formula with(const std::function<void(Formula&)>& change)
{
    Formula formula = valid();
    change(formula);
    return formula;
}

QStringList symbols(Store& store, const QString& table)
{
    QStringList found;
    for (const QSqlRecord& row : store.query("select * from " + table + " where ispara=1"))
        found << row.value("varname").toString();
    return found;
}

} // namespace

class FormulasTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The first fault met names the refusal; rows with several faults show the order.
    void checkFieldsOrder_data()
    {
        QTest::addColumn<Formula>("formula");
        QTest::addColumn<Problem>("problem");
        QTest::newRow("valid") << valid() << Problem::None;
        QTest::newRow("blank before all else") << Formula{"a b", "", "", "", "", "", {}} << Problem::BlankInName;
        QTest::newRow("empty name first") << Formula{"", "", "", "", "", "", {}} << Problem::EmptyName;
        QTest::newRow("function before unit") << Formula{"x", "", "", "", "", "", {}} << Problem::EmptyFunction;
        QTest::newRow("unit before expression") << Formula{"x", "y", "", "", "", "", {}} << Problem::EmptyUnit;
        QTest::newRow("expression before parameters") << Formula{"x", "y", "m", "", "", "", {}} << Problem::EmptyExpression;
        QTest::newRow("parameters before accuracy") << Formula{"x", "y", "m", "1", "", "0", {}} << Problem::NoParameters;
        for (const char* accuracy : {"0", "9", "2.5", ""})
            QTest::newRow(qPrintable(QString("accuracy '%1'").arg(accuracy)))
                << with([&](Formula& f) { f.precision = accuracy; }) << Problem::BadPrecision;
        QTest::newRow("accuracy 8") << with([](Formula& f) { f.precision = "8"; }) << Problem::None;
        QTest::newRow("accuracy before defaults")
            << with([](Formula& f) { f.precision = "9"; f.parameters[0].value = "x"; }) << Problem::BadPrecision;
        for (const char* value : {"1-2", ""})
            QTest::newRow(qPrintable(QString("default '%1'").arg(value)))
                << with([&](Formula& f) { f.parameters[2].value = value; }) << Problem::DefaultNotANumber;
        QTest::newRow("negative default") << with([](Formula& f) { f.parameters[2].value = "-2.5"; }) << Problem::None;
        QTest::newRow("defaults before symbols")
            << with([](Formula& f) { f.parameters[0].symbol = "m/s"; f.parameters[1].value = "-"; })
            << Problem::DefaultNotANumber;
        for (const char* symbol : {"m/s", "_pi", ""})
            QTest::newRow(qPrintable(QString("symbol '%1'").arg(symbol)))
                << with([&](Formula& f) { f.parameters[1].symbol = symbol; }) << Problem::UnusableSymbol;
    }
    void checkFieldsOrder()
    {
        QFETCH(Formula, formula);
        QFETCH(Problem, problem);
        QCOMPARE(Formulas::checkFields(formula), problem);
    }

    // A change is one transaction: a parameter the library cannot hold undoes the whole of it,
    // the rename included; a change that goes through keeps the computation counter and the table.
    void modifyIsAllOrNothing()
    {
        LibraryFixture library;
        Store& store = library.store();
        store.execute("update OhmsLaw set calcount='4' where ispara=0");
        Formula changed = valid();
        changed.name = "Ohm";
        changed.parameters[1].symbol = QString(21, 'a');
        QVERIFY_THROWS_EXCEPTION(StoreError, Formulas::modify(store, "OhmsLaw", changed));
        QVERIFY(store.first("select * from CataConstruct where caption='OhmsLaw'"));
        QCOMPARE(symbols(store, "OhmsLaw"), (QStringList{"R", "I"}));

        changed.parameters[1].symbol = "a";
        Formulas::modify(store, "OhmsLaw", changed);
        const auto row = store.first("select * from CataConstruct where caption='Ohm'");
        QCOMPARE(row->value("belongto").toString(), "Electrical");
        QCOMPARE(row->value("indtable").toString(), "OhmsLaw");
        const auto formulaRow = store.first("select * from OhmsLaw where ispara=0");
        QCOMPARE(formulaRow->value("name").toString(), "Ohm");
        QCOMPARE(formulaRow->value("calcount").toString(), "4");
        QCOMPARE(symbols(store, "OhmsLaw"), (QStringList{"F1", "a", "b"}));
    }

    void expressionCheck_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("problem");
        QTest::newRow("computes") << "F1*a/b" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("division by zero is the values' fault") << "F1/(a-a)" << "";
        QTest::newRow("a variable not copied") << "F1*g"
            << "Character 4: Unknown symbol 'g'. It is a variable: copy it into the parameters with >>.";
        QTest::newRow("unusable parameter symbol left out") << "a*m/s" << "Character 3: Unknown symbol 'm'.";
        QTest::newRow("comma") << "1,5*a" << "Character 2: A comma only separates a function's arguments; "
                                             "decimals are written with a point.";
    }
    void expressionCheck()
    {
        QFETCH(QString, expression);
        QFETCH(QString, problem);
        CalcEngine engine;
        Formula formula = valid();
        formula.parameters.append({"Speed", "m/s", "", "1", ""});
        QCOMPARE(expressionProblem(engine, expression, formula.parameters, {"g", "F1"}), problem);
    }
};

QTEST_MAIN(FormulasTest)
#include "formulas_test.moc"
