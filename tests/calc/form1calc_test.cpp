// The main window's parameter grid, "Calculate", the result list and the Choose Result dialog,
// driven through mouse presses and keys on the real widgets; only the inputs a computation
// starts from are written into the grid directly.
#include "calc/parametergrid.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/store.h"

#include <QApplication>
#include <QPointer>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTime>
#include <QTimer>

enum class Opener { Enter, Press };
enum class Closer { Enter, Press, ClickElsewhere };
Q_DECLARE_METATYPE(Opener)
Q_DECLARE_METATYPE(Closer)

// The rows of a result list, each as its six columns.
static QList<QStringList> listRows(const QTreeWidget& list)
{
    QList<QStringList> rows(list.topLevelItemCount());
    for (int i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < 6; ++column)
            rows[i] << list.topLevelItem(i)->text(column);
    }
    return rows;
}

class Form1CalcTest : public LibraryTest
{
    Q_OBJECT

    Store& store() { return library().store(); }
    QPointer<form1> window_; // gone with each test's library
    form1& window() { return window_ ? *window_ : *(window_ = &library().openActiveWindow()); }
    Ui::form1& ui() { return window().controls(); }
    QTableWidget& grid() { return *ui().MSFlexGrid1; }
    void clickNode(const QString& caption) { GuiDriver::clickNode(window(), caption); }
    void calculate() { QTest::mouseClick(ui().Command1, Qt::LeftButton); }
    QList<QStringList> resultRows() { return listRows(*ui().ListView1); }
    QString cell(int row, int column) { return ParameterGrid::cell(grid(), row, column); }
    QRect cellRect(int row, int column) { return grid().visualRect(grid().model()->index(row, column)); }
    void pressCell(int row, int column)
    {
        grid().scrollTo(grid().model()->index(row, column));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellRect(row, column).center());
    }
    void clickResult(int index)
    {
        QTreeWidget& list = *ui().ListView1;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.topLevelItem(index)).center());
    }

private slots:
    // The editor opens on a parameter's Input only, over the cell; what is typed is written
    // back however the edit ends. A press after a press-opened edit only closes it.
    void editorOnParameterInputs_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<Closer>("closer");
        QTest::addColumn<bool>("opens");
        const QString two = "KineticEnergy";
        QTest::newRow("Enter, then Enter") << two << 1 << 2 << Opener::Enter << Closer::Enter << true;
        QTest::newRow("press on the last of seven, then a press")
            << "CompositeWallHeatFlow" << 7 << 2 << Opener::Press << Closer::Press << true;
        QTest::newRow("press, then a click elsewhere") << two << 1 << 2 << Opener::Press << Closer::ClickElsewhere << true;
        QTest::newRow("Enter on a Name") << two << 1 << 0 << Opener::Enter << Closer::Enter << false;
        QTest::newRow("press on the header's Input") << two << 0 << 2 << Opener::Press << Closer::Enter << false;
    }
    void editorOnParameterInputs()
    {
        QFETCH(QString, formula);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(Opener, opener);
        QFETCH(Closer, closer);
        QFETCH(bool, opens);
        clickNode(formula);
        const QString other = cell(2, 2);
        grid().setFocus();
        if (opener == Opener::Enter) {
            grid().setCurrentCell(row, column);
            QTest::keyClick(&grid(), Qt::Key_Return);
        } else {
            pressCell(row, column);
        }
        QLineEdit& editor = *ui().Text1;
        QCOMPARE(editor.isVisible(), opens);
        // No result yet: nothing to choose from.
        QVERIFY(!ui().Command3->isVisible());
        if (!opens)
            return;
        QVERIFY(editor.hasFocus());
        const QPoint centre = grid().viewport()->mapFrom(&window(), editor.geometry().center());
        QCOMPARE(grid().indexAt(centre), grid().model()->index(row, column));
        QCOMPARE(editor.text(), cell(row, column));

        editor.selectAll();
        QTest::keyClicks(&editor, "1,5");
        QWidget& tree = *ui().Tvwmain->viewport();
        if (closer == Closer::Enter)
            QTest::keyClick(&editor, Qt::Key_Return);
        else if (closer == Closer::Press)
            pressCell(2, 2);
        else
            QTest::mouseClick(&tree, Qt::LeftButton, {}, QPoint(tree.width() / 2, tree.height() - 3));
        QVERIFY(!editor.isVisible());
        QCOMPARE(cell(row, column), "1,5");
        QCOMPARE(cell(2, 2), other);
        pressCell(2, 2);
        QCOMPARE(editor.isVisible(), opener == Opener::Enter || closer == Closer::Press);
    }

    // An edit left open while the grid was refilled, by a tree click or a recall, is never
    // written into the new contents.
    void staleEditStaysOutOfARefilledGrid()
    {
        clickNode("KineticEnergy");
        calculate();
        for (const bool byRecall : {false, true}) {
            clickNode("OhmsLaw");
            pressCell(1, 2);
            QTest::keyClicks(ui().Text1, "99");
            if (byRecall)
                clickResult(0);
            else
                clickNode("KineticEnergy");
            pressCell(1, 2);
            QVERIFY(!ui().Text1->isVisible());
            QCOMPARE(cell(1, 2), "1200");
        }
    }

    // The "..." button beside the edited cell opens the dialog; OK without a row does nothing,
    // OK on a row puts its result, as the list shows it, into the cell for "Calculate".
    void chooseResult()
    {
        clickNode("KineticEnergy");
        calculate();
        clickNode("OhmsLaw");
        calculate();
        pressCell(2, 2);
        QPushButton& choose = *ui().Command3;
        QVERIFY(choose.isVisible());

        QList<QStringList> shown;
        bool openWithoutRow = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto& list = *dialog->findChild<QTreeWidget*>("ListView1");
            shown = listRows(list);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
            openWithoutRow = dialog->isVisible() && cell(2, 2) == "0.05";
            list.setCurrentItem(list.topLevelItem(0));
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        QTest::mouseClick(&choose, Qt::LeftButton);
        QCOMPARE(shown, resultRows());
        QVERIFY(openWithoutRow);
        QCOMPARE(cell(2, 2), "115926.00");

        calculate();
        QCOMPARE(resultRows().value(2).mid(0, 4), (QStringList{"OhmsLaw", "U", "25503720.000", "V"}));
    }

    // A computation that succeeds gets a row, a number and a history row per parameter; one
    // that fails leaves no trace.
    void computationIsRecordedOnlyWhenItSucceeds_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("row");
        const QStringList none;
        QTest::newRow("typed values") << "" << QStringList{"100", " 0.5 "} << QStringList{"OhmsLaw", "U", "50.000", "V", "1"};
        QTest::newRow("the parameter string's own separators") << "" << QStringList{"1", "1#R||2"} << none;
        QTest::newRow("quote and comment") << "" << QStringList{"1'); delete from ParaResult; --"} << none;
        QTest::newRow("NUL") << "" << QStringList{QStringLiteral("1") + QChar(0)} << none;
        QTest::newRow("lone surrogate") << "" << QStringList{QStringLiteral("1") + QChar(0xD800)} << none;
        QTest::newRow("10,000 digits") << "" << QStringList{QString(10000, '9')} << none;
        QTest::newRow("bad expression") << "R*(I" << QStringList{} << none;
    }
    void computationIsRecordedOnlyWhenItSucceeds()
    {
        QFETCH(QString, expression);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, row);
        if (!expression.isEmpty())
            store().execute("update OhmsLaw set expression='" + expression + "' where ispara=0");
        clickNode("OhmsLaw");
        for (int i = 0; i < inputs.size(); ++i)
            grid().item(i + 1, 2)->setText(inputs.at(i));
        calculate();
        const QList<QStringList> rows = resultRows();
        QCOMPARE(rows.size(), row.isEmpty() ? 0 : 1);
        QCOMPARE(rows.value(0).mid(0, 4) + rows.value(0).mid(5), row);
        QVERIFY(rows.isEmpty() || QTime::fromString(rows[0][4], "h:mm:ss").isValid());
        const QString counter = store().first("select * from OhmsLaw where ispara=0")->value("calcount").toString();
        QCOMPARE(counter, row.isEmpty() ? "0" : "1");
        QCOMPARE(store().query("select * from ParaResult").size(), row.isEmpty() ? 0 : 2);
    }

    // Delete Result (the Delete key) removes the selected row and keeps the history; Delete All
    // Result empties both, so that every formula counts from 1 again. Either clears the view.
    void deletingResults_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("remaining");
        const QStringList three{"KineticEnergy/1", "KineticEnergy/2", "OhmsLaw/1"};
        QTest::newRow("Delete Result") << false << int(MsgAnswer::Yes) << QStringList{three[0], three[2]};
        QTest::newRow("Delete Result answered No") << false << int(MsgAnswer::No) << three;
        QTest::newRow("Delete All Result") << true << int(MsgAnswer::Yes) << QStringList{};
    }
    void deletingResults()
    {
        QFETCH(bool, all);
        QFETCH(int, answer);
        QFETCH(QStringList, remaining);
        clickNode("KineticEnergy");
        calculate();
        calculate();
        clickNode("OhmsLaw");
        calculate();
        clickResult(1);
        const char* question = all ? "Do you want to delete all the result?" : "Do you want to delete?";
        library().dialogs().expectQuestion(question, answer);
        if (all)
            ui().delallres->trigger();
        else
            QTest::keyClick(ui().ListView1, Qt::Key_Delete);
        const bool deleted = answer == MsgAnswer::Yes;
        const bool emptied = all && deleted;
        QStringList numbers;
        for (const QStringList& row : resultRows())
            numbers << row.at(0) + "/" + row.at(5);
        QCOMPARE(numbers, remaining);
        QCOMPARE(store().query("select * from ParaResult").size(), emptied ? 0 : 6);
        QCOMPARE(ui().delres->isEnabled() + ui().delallres->isEnabled() + ui().Routresult->menuAction()->isEnabled(),
                 emptied ? 0 : 3);
        QCOMPARE(ui().Text3->toPlainText().isEmpty(), deleted);
        QCOMPARE(cell(1, 1), deleted ? QString() : "m");

        clickNode("KineticEnergy");
        calculate();
        QCOMPARE(resultRows().value(remaining.size()).value(5), emptied ? "1" : "3");
    }
};

QTEST_MAIN(Form1CalcTest)
#include "form1calc_test.moc"
