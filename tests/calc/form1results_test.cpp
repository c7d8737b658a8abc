// "Calculate", the result list, recalling a computation and deleting results, through the real
// widgets.
#include "calc/computation.h"
#include "calc/gridparameters.h"
#include "calcwindow.h"
#include "store/store.h"

#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

using namespace calcwindow;

namespace {

QString calcount(Store& store, const QString& formula)
{
    return store.first("select * from " + formula + " where ispara=0 ")->value("calcount").toString();
}

Rows history(Store& store, const QString& formula, const QString& number)
{
    return store.query("select * from ParaResult where Fmuname ='" + formula + "' and  Hisid='" + number + "'");
}

// The grid's rows below the header, each as its cells joined by '|'.
QStringList gridTexts(form1& window)
{
    QStringList rows;
    for (int row = 1; row < grid(window).rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 5; ++column)
            cells << cell(window, row, column);
        rows << cells.join('|');
    }
    return rows;
}

bool entriesEnabled(form1& window)
{
    const Ui::form1& ui = window.controls();
    const bool enabled = ui.delres->isEnabled();
    if (ui.delallres->isEnabled() != enabled || ui.Routresult->menuAction()->isEnabled() != enabled)
        qWarning("the result entries are not enabled alike");
    return enabled;
}

// Right-presses the result list's first row (or its empty area) and closes whatever popped up;
// returns the popup, with whether "Delete Result" was enabled in it.
QWidget* rightPressResults(form1& window, bool& deleteEnabledInPopup)
{
    QWidget* popped = nullptr;
    QTimer::singleShot(0, [&] {
        popped = QApplication::activePopupWidget();
        deleteEnabledInPopup = window.controls().delres->isEnabled();
        if (popped)
            popped->close();
    });
    QTreeWidget& list = results(window);
    const QPoint at = list.topLevelItemCount() > 0 ? list.visualItemRect(list.topLevelItem(0)).center() : QPoint(20, 60);
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
    return popped;
}

} // namespace

class Form1ResultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // expression: empty for a sample formula, else a formula of parameters a = 2 and b = 3.
    void resultRowOfAComputation_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("precision");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("defaults") << "KineticEnergy" << "" << "" << QStringList{}
                                  << QStringList{"KineticEnergy", "Ek", "115926.00", "J"};
        QTest::newRow("typed values") << "OhmsLaw" << "" << "" << QStringList{"100", " 0.5 "}
                                      << QStringList{"OhmsLaw", "U", "50.000", "V"};
        QTest::newRow("three places") << "Ratio" << "a/b" << "3" << QStringList{} << QStringList{"Ratio", "y", "0.667", "u"};
        QTest::newRow("precision 0 shows no result") << "Ratio" << "a/b" << "0" << QStringList{}
                                                     << QStringList{"Ratio", "y", "", "u"};
    }
    void resultRowOfAComputation()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expression);
        QFETCH(QString, precision);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, expected);
        LibraryFixture library;
        if (!expression.isEmpty())
            addFormula(library.store(), formula, expression, precision, {{"a", "2"}, {"b", "3"}});
        form1& window = openActiveWindow(library);
        clickNode(window, formula);
        for (int row = 0; row < inputs.size(); ++row)
            typeInput(window, row + 1, inputs.at(row));
        calculate(window);

        const QStringList row = resultRow(window, 0);
        QCOMPARE(results(window).topLevelItemCount(), 1);
        QCOMPARE(row.mid(0, 4), expected);
        QVERIFY2(QRegularExpression("^([1-9]|1[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$").match(row.at(4)).hasMatch(),
                 qPrintable(row.at(4)));
        QCOMPARE(row.at(5), "1");
        QCOMPARE(calcount(library.store(), formula), "1");
        VERIFY_NO_SURPRISES(library);
    }

    // Every formula counts its own computations; the history keeps each one's values.
    void computationsAreNumberedPerFormula()
    {
        LibraryFixture library;
        Store& store = library.store();
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        calculate(window);
        typeInput(window, 1, "1000");
        calculate(window);
        clickNode(window, "OhmsLaw");
        calculate(window);
        clickNode(window, "KineticEnergy");
        calculate(window);

        QStringList numbers;
        for (int i = 0; i < results(window).topLevelItemCount(); ++i)
            numbers << resultRow(window, i).at(0) + "/" + resultRow(window, i).at(5);
        QCOMPARE(numbers, (QStringList{"KineticEnergy/1", "KineticEnergy/2", "OhmsLaw/1", "KineticEnergy/3"}));
        QCOMPARE(resultRow(window, 1).at(2), "96605.00");
        QCOMPARE(calcount(store, "KineticEnergy"), "3");
        QCOMPARE(calcount(store, "OhmsLaw"), "1");

        const Rows second = history(store, "KineticEnergy", "2");
        QCOMPARE(second.size(), 2);
        const QStringList columns{"Fmuname", "name", "paraname", "paravalue", "unit", "Hisid", "defparavalue"};
        QStringList mass;
        for (const QString& column : columns)
            mass << second.at(0).value(column).toString();
        QCOMPARE(mass, (QStringList{"KineticEnergy", "Mass", "m", "1000", "kg", "2", "1200"}));
        QCOMPARE(second.at(1).value("paraname").toString(), "v");
        QCOMPARE(store.query("select * from ParaResult").size(), 8);
        VERIFY_NO_SURPRISES(library);
    }

    // Every grid row goes into the parameter string; the rows without a parameter end the history.
    void parameterStringAndHistoryOfTheGrid_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("gridRows");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<int>("historyRows");
        QTest::newRow("two parameters in six rows") << "KineticEnergy" << 6 << "#m||1200#v||13.9#||#||#||##" << 2;
        QTest::newRow("five parameters fill six rows") << "Five" << 6 << "#p||1#q||2#r||3#s||4#t||5##" << 5;
        QTest::newRow("seven parameters in eight rows")
            << "CompositeWallHeatFlow" << 8 << "#A||12#Ti||20#To||-5#hi||7.7#d||0.1#k||0.04#ho||25##" << 7;
    }
    void parameterStringAndHistoryOfTheGrid()
    {
        QFETCH(QString, formula);
        QFETCH(int, gridRows);
        QFETCH(QString, parameters);
        QFETCH(int, historyRows);
        LibraryFixture library;
        addFormula(library.store(), "Five", "p+q+r+s+t", "1", {{"p", "1"}, {"q", "2"}, {"r", "3"}, {"s", "4"}, {"t", "5"}});
        form1& window = openActiveWindow(library);
        clickNode(window, formula);
        QCOMPARE(grid(window).rowCount(), gridRows);
        QCOMPARE(Computation::parameterString(gridParameters(grid(window))).value_or("<refused>"), parameters);
        calculate(window);
        QCOMPARE(results(window).topLevelItemCount(), 1);
        QCOMPARE(history(library.store(), formula, "1").size(), historyRows);
        VERIFY_NO_SURPRISES(library);
    }

    // A computation that fails leaves no trace and shows nothing: no row, no count, no history.
    void failedComputationChangesNothing_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("input");
        QTest::newRow("letters") << "KineticEnergy" << "" << 1 << "abc";
        QTest::newRow("a quote") << "KineticEnergy" << "" << 1 << "2'";
        QTest::newRow("a quote ending the value") << "KineticEnergy" << "" << 2 << "1');delete from ParaResult;--";
        QTest::newRow("the string's own separators") << "KineticEnergy" << "" << 2 << "1#m||2";
        QTest::newRow("an emptied input") << "KineticEnergy" << "" << 1 << "";
        QTest::newRow("bad expression") << "Broken" << "a*(b" << 1 << "2";
        QTest::newRow("division by zero") << "Broken" << "a/b" << 2 << "0";
    }
    void failedComputationChangesNothing()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expression);
        QFETCH(int, row);
        QFETCH(QString, input);
        LibraryFixture library;
        if (!expression.isEmpty())
            addFormula(library.store(), formula, expression, "2", {{"a", "2"}, {"b", "3"}});
        form1& window = openActiveWindow(library);
        clickNode(window, formula);
        typeInput(window, row, input);
        calculate(window);
        QCOMPARE(results(window).topLevelItemCount(), 0);
        QCOMPARE(calcount(library.store(), formula), "0");
        QVERIFY(library.store().query("select * from ParaResult").isEmpty());
        QCOMPARE(cell(window, row, 2), input);
        VERIFY_NO_SURPRISES(library);
    }

    // A statement the library refuses undoes the click's other writes and adds no row.
    void refusedStatementLeavesNoRow()
    {
        LibraryFixture library;
        Store& store = library.store();
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        store.execute("alter table ParaResult rename to ParaResultAway");
        library.dialogs().expectStoreError();
        calculate(window);
        QCOMPARE(results(window).topLevelItemCount(), 0);
        QCOMPARE(calcount(store, "KineticEnergy"), "0");

        store.execute("alter table ParaResultAway rename to ParaResult");
        calculate(window);
        QCOMPARE(resultRow(window, 0).value(5), "1");
        VERIFY_NO_SURPRISES(library);
    }

    void calculateAsksForAFormula()
    {
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        calculate(window);
        // Deleting the result clears the expression; the button stays.
        library.dialogs().expectMessage("Do you want to delete?", MsgAnswer::Yes);
        clickResult(window, 0);
        QTest::keyClick(&results(window), Qt::Key_Delete);
        library.dialogs().expectMessage("Please choose the formula");
        calculate(window);
        QCOMPARE(results(window).topLevelItemCount(), 0);
        QCOMPARE(library.dialogs().shown().constLast(), "Calcora|64|Please choose the formula");
        VERIFY_NO_SURPRISES(library);
    }

    // A click on a result brings its formula and values back, and "Calculate" computes them.
    void recallRestoresTheComputation_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("gridRows");
        QTest::addColumn<int>("editedRow");
        QTest::addColumn<QString>("value");
        QTest::newRow("seven parameters") << "CompositeWallHeatFlow" << 8 << 3 << "-10";
        QTest::newRow("two parameters") << "KineticEnergy" << 6 << 2 << "20";
    }
    void recallRestoresTheComputation()
    {
        QFETCH(QString, formula);
        QFETCH(int, gridRows);
        QFETCH(int, editedRow);
        QFETCH(QString, value);
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        const Ui::form1& ui = window.controls();
        clickNode(window, formula);
        const QString expression = ui.Text3->toPlainText();
        typeInput(window, editedRow, value);
        const QStringList computed = gridTexts(window);
        calculate(window);
        clickNode(window, "Mechanics");
        clickNode(window, "OhmsLaw");

        clickResult(window, 0);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), formula);
        QCOMPARE(ui.Text3->toPlainText(), expression);
        QVERIFY(ui.Text4->toPlainText().startsWith(formula + "\n"));
        QCOMPARE(grid(window).rowCount(), gridRows);
        QCOMPARE(gridTexts(window), computed);
        QCOMPARE(cell(window, 0, 2), "Input");
        QVERIFY(ui.Command1->isVisible() && ui.Text3->isVisible() && ui.MSFlexGrid1->isVisible());
        QVERIFY(!ui.ListView2->isVisible());
        QCOMPARE(ui.Label2->text(), "Expression:");
        QVERIFY(entriesEnabled(window));

        calculate(window);
        QCOMPARE(resultRow(window, 1).value(0), formula);
        QCOMPARE(resultRow(window, 1).value(2), resultRow(window, 0).value(2));
        QCOMPARE(resultRow(window, 1).value(5), "2");
        VERIFY_NO_SURPRISES(library);
    }

    void resultEntriesFollowTheList()
    {
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        bool deleteEnabled = true;
        QVERIFY(!rightPressResults(window, deleteEnabled));

        clickNode(window, "KineticEnergy");
        calculate(window);
        // The entries are enabled after the popup, so the first one shows them disabled.
        QCOMPARE(rightPressResults(window, deleteEnabled), window.controls().Rdelresmenu);
        QVERIFY(!deleteEnabled);
        QVERIFY(entriesEnabled(window));
        QVERIFY(rightPressResults(window, deleteEnabled));
        QVERIFY(deleteEnabled);

        library.dialogs().expectMessage("Do you want to delete?", MsgAnswer::Yes);
        window.controls().delres->trigger();
        QCOMPARE(results(window).topLevelItemCount(), 0);
        QVERIFY(entriesEnabled(window));
        // A click on the empty list disables them again.
        QTest::mouseClick(results(window).viewport(), Qt::LeftButton, {}, QPoint(20, 60));
        QVERIFY(!entriesEnabled(window));
        VERIFY_NO_SURPRISES(library);
    }

    void deleteResultAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << MsgAnswer::Yes;
        QTest::newRow("no") << MsgAnswer::No;
    }
    void deleteResultAsksFirst()
    {
        QFETCH(int, answer);
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        const Ui::form1& ui = window.controls();
        clickNode(window, "CompositeWallHeatFlow");
        calculate(window);
        clickNode(window, "KineticEnergy");
        calculate(window);
        clickResult(window, 0);
        const QString expression = ui.Text3->toPlainText();

        library.dialogs().expectMessage("Do you want to delete?", answer);
        QTest::keyClick(&results(window), Qt::Key_Delete);
        const bool deleted = answer == MsgAnswer::Yes;
        QCOMPARE(results(window).topLevelItemCount(), deleted ? 1 : 2);
        QCOMPARE(resultRow(window, 0).value(0), deleted ? "KineticEnergy" : "CompositeWallHeatFlow");
        QCOMPARE(ui.Text3->toPlainText(), deleted ? QString() : expression);
        QCOMPARE(ui.Text4->toPlainText().isEmpty(), deleted);
        QCOMPARE(grid(window).rowCount(), 8);
        QCOMPARE(cell(window, 0, 4), "Unit");
        QCOMPARE(cell(window, 7, 1), deleted ? QString() : "ho");
        QCOMPARE(calcount(library.store(), "CompositeWallHeatFlow"), "1");
        VERIFY_NO_SURPRISES(library);
    }

    void deleteAllResultsStartsTheNumbersAgain_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << MsgAnswer::Yes;
        QTest::newRow("no") << MsgAnswer::No;
    }
    void deleteAllResultsStartsTheNumbersAgain()
    {
        QFETCH(int, answer);
        LibraryFixture library;
        Store& store = library.store();
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        calculate(window);
        calculate(window);
        clickNode(window, "OhmsLaw");
        calculate(window);
        clickResult(window, 1);

        library.dialogs().expectMessage("Do you want to delete all the result?", answer);
        window.controls().delallres->trigger();
        const bool deleted = answer == MsgAnswer::Yes;
        QCOMPARE(results(window).topLevelItemCount(), deleted ? 0 : 3);
        QCOMPARE(store.query("select * from ParaResult").size(), deleted ? 0 : 6);
        QCOMPARE(calcount(store, "KineticEnergy"), deleted ? "0" : "2");
        QCOMPARE(entriesEnabled(window), !deleted);
        QCOMPARE(window.controls().Text3->toPlainText().isEmpty(), deleted);
        QCOMPARE(cell(window, 1, 1), deleted ? QString() : "m");

        clickNode(window, "KineticEnergy");
        calculate(window);
        QCOMPARE(resultRow(window, results(window).topLevelItemCount() - 1).value(5), deleted ? "1" : "3");
        VERIFY_NO_SURPRISES(library);
    }
};

QTEST_MAIN(Form1ResultsTest)
#include "form1results_test.moc"
