// The parameter grid's in-cell editor and the Choose Result dialog, through the real widgets.
#include "calcwindow.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>

using namespace calcwindow;

namespace {

enum class Opener { Enter, LeftPress, RightPress };
enum class Closer { EnterInEditor, PressOnGrid, ClickElsewhere };

// What the Choose Result dialog showed, and whether it was still open after its last button.
struct DialogSeen
{
    QString title;
    QList<QStringList> rows;
    bool openAfterOk = false;
};

// Runs the dialog that the next click opens: selects row (none when -1) and presses OK; when
// OK leaves the dialog open, presses Cancel.
void answerChooseResult(DialogSeen& seen, int row)
{
    QTimer::singleShot(0, [&seen, row] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.title = dialog->windowTitle();
        auto* list = dialog->findChild<QTreeWidget*>("ListView1");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList columns;
            for (int column = 0; column < 6; ++column)
                columns << list->topLevelItem(i)->text(column);
            seen.rows << columns;
        }
        if (row >= 0)
            list->setCurrentItem(list->topLevelItem(row));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        seen.openAfterOk = dialog->isVisible();
        if (seen.openAfterOk)
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
}

// The grid cell under the middle of the widget, as (row, column).
QPoint cellUnder(form1& window, const QWidget& widget, QPoint inWidget)
{
    QTableWidget& table = grid(window);
    const QModelIndex index = table.indexAt(table.viewport()->mapFrom(&window, widget.geometry().topLeft() + inWidget));
    return {index.row(), index.column()};
}

} // namespace

Q_DECLARE_METATYPE(Opener)
Q_DECLARE_METATYPE(Closer)

class Form1GridTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void editorOpensOnParameterInputsOnly_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<bool>("opens");
        const QString two = "KineticEnergy";
        QTest::newRow("Enter on the first Input") << two << 1 << 2 << Opener::Enter << true;
        QTest::newRow("press on the second Input") << two << 2 << 2 << Opener::LeftPress << true;
        QTest::newRow("press on the last of seven Inputs") << "CompositeWallHeatFlow" << 7 << 2 << Opener::LeftPress << true;
        QTest::newRow("Enter on a Name") << two << 1 << 0 << Opener::Enter << false;
        QTest::newRow("press on a Symbol") << two << 1 << 1 << Opener::LeftPress << false;
        QTest::newRow("Enter on a Default") << two << 2 << 3 << Opener::Enter << false;
        QTest::newRow("press on a Unit") << two << 2 << 4 << Opener::LeftPress << false;
        QTest::newRow("press on the header's Input") << two << 0 << 2 << Opener::LeftPress << false;
        QTest::newRow("Enter on an empty row's Input") << two << 3 << 2 << Opener::Enter << false;
        QTest::newRow("press on the last empty row's Input") << two << 5 << 2 << Opener::LeftPress << false;
        QTest::newRow("right press on an Input") << two << 1 << 2 << Opener::RightPress << false;
    }
    void editorOpensOnParameterInputsOnly()
    {
        QFETCH(QString, formula);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(Opener, opener);
        QFETCH(bool, opens);
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        QVERIFY(clickNode(window, formula));
        if (opener == Opener::Enter)
            enterOnCell(window, row, column);
        else
            pressCell(window, row, column, opener == Opener::LeftPress ? Qt::LeftButton : Qt::RightButton);

        QLineEdit& editor = *window.controls().Text1;
        QCOMPARE(editor.isVisible(), opens);
        if (opens) {
            QVERIFY(editor.hasFocus());
            QCOMPARE(cellUnder(window, editor, editor.rect().center()), QPoint(row, column));
            QCOMPARE(editor.size(), cellRect(window, row, column).size() - QSize(2, 2));
            QCOMPARE(editor.text(), cell(window, row, column));
            QCOMPARE(window.controls().Text5->text(), QString::number(row));
            QCOMPARE(window.controls().Text6->text(), QString::number(column));
        }
        // No result yet: nothing to choose from.
        QVERIFY(!window.controls().Command3->isVisible());
        VERIFY_NO_SURPRISES(library);
    }

    void typedTextIsWrittenBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<Closer>("closer");
        QTest::newRow("letters, closed by Enter") << "abc" << false << Closer::EnterInEditor;
        QTest::newRow("decimal comma, closed by a press on the grid") << "1,5" << false << Closer::PressOnGrid;
        QTest::newRow("nothing, closed by a click elsewhere") << "" << false << Closer::ClickElsewhere;
        QTest::newRow("Escape undoes nothing") << "42" << true << Closer::EnterInEditor;
        QTest::newRow("a quote, closed by a press on the grid") << "2'" << false << Closer::PressOnGrid;
    }
    void typedTextIsWrittenBack()
    {
        QFETCH(QString, typed);
        QFETCH(bool, escape);
        QFETCH(Closer, closer);
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        pressCell(window, 1, 2);
        QLineEdit& editor = *window.controls().Text1;
        QVERIFY(editor.isVisible());
        editor.selectAll();
        QTest::keyClick(&editor, Qt::Key_Delete);
        QTest::keyClicks(&editor, typed);
        if (escape)
            QTest::keyClick(&editor, Qt::Key_Escape);

        switch (closer) {
        case Closer::EnterInEditor:
            QTest::keyClick(&editor, Qt::Key_Return);
            QVERIFY(grid(window).hasFocus());
            break;
        case Closer::PressOnGrid:
            pressCell(window, 2, 2);
            break;
        case Closer::ClickElsewhere: {
            QWidget* blank = window.controls().Tvwmain->viewport();
            QTest::mouseClick(blank, Qt::LeftButton, {}, QPoint(blank->width() / 2, blank->height() - 3));
            break;
        }
        }
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.text(), typed);
        QCOMPARE(cell(window, 1, 2), typed);
        // Only the edited cell changes; the press that closed the edit opened none.
        QCOMPARE(cell(window, 1, 3), "1200");
        QCOMPARE(cell(window, 2, 2), "13.9");
        VERIFY_NO_SURPRISES(library);
    }

    // With the mouse, one press opens the editor, the next press on the grid only closes it.
    void pressesOpenAndCloseInTurn()
    {
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        QLineEdit& editor = *window.controls().Text1;
        const auto editedRow = [&] { return window.controls().Text5->text(); };

        pressCell(window, 1, 2);
        QVERIFY(editor.isVisible());
        QCOMPARE(editedRow(), "1");
        pressCell(window, 2, 2);
        QVERIFY(!editor.isVisible());
        pressCell(window, 2, 2);
        QVERIFY(editor.isVisible());
        QCOMPARE(editedRow(), "2");
        // Enter closes the edit, but the next press still counts as the closing one.
        QTest::keyClick(&editor, Qt::Key_Return);
        QVERIFY(!editor.isVisible());
        pressCell(window, 1, 2);
        QVERIFY(!editor.isVisible());
        pressCell(window, 1, 2);
        QVERIFY(editor.isVisible());
        QCOMPARE(editedRow(), "1");
        VERIFY_NO_SURPRISES(library);
    }

    // An edit left open while the grid was refilled is never written into the new contents.
    void staleEditStaysOutOfARefilledGrid_data()
    {
        QTest::addColumn<bool>("byRecall");
        QTest::newRow("refilled by a tree click") << false;
        QTest::newRow("refilled by recalling a result") << true;
    }
    void staleEditStaysOutOfARefilledGrid()
    {
        QFETCH(bool, byRecall);
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        calculate(window);
        clickNode(window, "OhmsLaw");
        pressCell(window, 1, 2);
        QTest::keyClicks(window.controls().Text1, "99");
        if (byRecall)
            clickResult(window, 0);
        else
            clickNode(window, "KineticEnergy");
        QCOMPARE(cell(window, 1, 1), "m");
        QCOMPARE(cell(window, 1, 2), "1200");

        pressCell(window, 1, 2);
        QVERIFY(!window.controls().Text1->isVisible());
        QCOMPARE(cell(window, 1, 2), "1200");
        pressCell(window, 1, 2);
        QVERIFY(window.controls().Text1->isVisible());
        QCOMPARE(window.controls().Text1->text(), "1200");
        VERIFY_NO_SURPRISES(library);
    }

    void chooseButtonSitsBesideTheEditedCell()
    {
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        QPushButton& choose = *window.controls().Command3;
        clickNode(window, "KineticEnergy");
        calculate(window);
        QVERIFY(!choose.isVisible());

        enterOnCell(window, 2, 2);
        QVERIFY(choose.isVisible());
        QCOMPARE(choose.size(), QSize(25, 17));
        // Its left edge is the edited cell's right edge, on the cell's row.
        QCOMPARE(cellUnder(window, choose, QPoint(1, choose.height() / 2)), QPoint(2, 3));
        QCOMPARE(cellUnder(window, choose, QPoint(-1, choose.height() / 2)), QPoint(2, 2));

        clickNode(window, "OhmsLaw");
        QVERIFY(!choose.isVisible());
        VERIFY_NO_SURPRISES(library);
    }

    // OK puts the chosen result, exactly as the list shows it, into the edited cell, and
    // "Calculate" then computes with it; OK without a chosen row does nothing.
    void chooseResult_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::newRow("the first row") << 0 << "115926.00" << "25503720.000";
        QTest::newRow("no row") << -1 << "0.05" << "11.000";
    }
    void chooseResult()
    {
        QFETCH(int, chosen);
        QFETCH(QString, input);
        QFETCH(QString, result);
        LibraryFixture library;
        form1& window = openActiveWindow(library);
        clickNode(window, "KineticEnergy");
        calculate(window);
        clickNode(window, "OhmsLaw");
        calculate(window);
        QCOMPARE(resultRow(window, 1).value(2), "11.000");

        pressCell(window, 2, 2);
        DialogSeen seen;
        answerChooseResult(seen, chosen);
        QTest::mouseClick(window.controls().Command3, Qt::LeftButton);

        QCOMPARE(seen.title, "Choose Result");
        QCOMPARE(seen.rows, (QList<QStringList>{resultRow(window, 0), resultRow(window, 1)}));
        QCOMPARE(seen.openAfterOk, chosen < 0);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(cell(window, 2, 2), input);
        QCOMPARE(window.controls().Text1->text(), input);
        QCOMPARE(cell(window, 1, 2), "220");

        calculate(window);
        QCOMPARE(resultRow(window, 2).mid(0, 4), (QStringList{"OhmsLaw", "U", result, "V"}));
        VERIFY_NO_SURPRISES(library);
    }
};

QTEST_MAIN(Form1GridTest)
#include "form1grid_test.moc"
