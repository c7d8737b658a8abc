// What the main window offers beyond its design, through the real widgets.
#include "calc/parametergrid.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/store.h"

#include <QTest>

using GuiDriver::clickNode;

namespace {

// The whole text of the status line, also when it is cut short.
QString statusLine(form1& window)
{
    const QLabel& line = *window.controls().StatusLine;
    return line.toolTip().isEmpty() ? line.text() : line.toolTip();
}

void calculate(form1& window)
{
    QTest::mouseClick(window.controls().Command1, Qt::LeftButton);
}

void setInput(form1& window, int row, const QString& text)
{
    ParameterGrid::setCell(*window.controls().MSFlexGrid1, row, ParameterGrid::InputColumn, text);
}

} // namespace

class ComfortTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // A Calculate that adds nothing says why, without a box; a tree click clears it.
    void statusSaysWhyNothingWasAdded_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("said");
        QTest::newRow("a value that is not a number")
            << "" << 2 << "abc" << R"(Not computed, row 2 (Velocity): The value of v, "abc", is not a number.)";
        QTest::newRow("an unknown symbol") << "m*q" << 0 << ""
                                           << "Not computed, character 3 of the expression: Unknown symbol 'q'.";
        QTest::newRow("a division by zero") << "m/(v-v)" << 0 << ""
                                            << "Not computed: The result is not a finite number: a division by zero, "
                                               "a value outside a function's domain, or an overflow.";
        QTest::newRow("a value the engine cannot be handed")
            << "" << 1 << "1#v||2" << "Not computed, row 1 (Mass): A symbol or value cannot hold '#' or '|'.";
    }
    void statusSaysWhyNothingWasAdded()
    {
        QFETCH(QString, expression);
        QFETCH(int, row);
        QFETCH(QString, input);
        QFETCH(QString, said);
        if (!expression.isEmpty())
            library().store().execute("update KineticEnergy set expression=? where ispara=0", {expression});
        form1& window = library().openWindow();
        clickNode(window, "KineticEnergy");
        if (row > 0)
            setInput(window, row, input);
        calculate(window);
        QCOMPARE(window.controls().ListView1->topLevelItemCount(), 0);
        QCOMPARE(statusLine(window), said);
        clickNode(window, "Mechanics");
        QCOMPARE(statusLine(window), QString());
    }

    // A success clears the reason a failure gave; a library that cannot be written says so
    // whenever there is nothing newer to say.
    void statusClearsAndShowsWhatLasts()
    {
        form1& window = library().openWindow();
        QCOMPARE(statusLine(window), QString());
        clickNode(window, "KineticEnergy");
        setInput(window, 1, "");
        calculate(window);
        QVERIFY(statusLine(window).startsWith("Not computed, row 1 (Mass)"));
        setInput(window, 1, "1200");
        calculate(window);
        QCOMPARE(window.controls().ListView1->topLevelItemCount(), 1);
        QCOMPARE(statusLine(window), QString());

        form1& readOnly = library().restart(Store::Access::ReadOnly);
        const QString lasting = "Library is read-only: nothing can be changed or recorded.";
        QCOMPARE(statusLine(readOnly), lasting);
        clickNode(readOnly, "KineticEnergy");
        setInput(readOnly, 2, "abc");
        calculate(readOnly);
        QVERIFY(statusLine(readOnly).startsWith("Not computed, row 2 (Velocity)"));
        clickNode(readOnly, "KineticEnergy");
        QCOMPARE(statusLine(readOnly), lasting);
        library().dialogs().expectMessageStarting("The formula library");
        calculate(readOnly);
        QCOMPARE(statusLine(readOnly), lasting);
    }

};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
