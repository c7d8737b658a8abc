// The main window's parameter grid, "Calculate", the result list, the Choose Result dialog and
// "Output All Result", driven through mouse presses and keys on the real widgets; only the
// inputs a computation starts from are written into the grid directly. Exports are read back
// from disk.
#include "calc/computation.h"
#include "calc/parametergrid.h"
#include "calc/resulttext.h"
#include "calc/resultworkbook.h"
#include "editor/formulas.h"
#include "filecontents.h"
#include "fulldisk.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/formula.h"
#include "store/store.h"
#include "store/storeerror.h"
#include "ui_form1.h"
#include "xlsxfile.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <chrono>
#include <filesystem>

class Form1CalcTest : public LibraryTest
{
    Q_OBJECT

    // Each workbook goes to a folder of its own under the temporary folder, which the desktop
    // would have read: here, one that goes with the test.
    QTemporaryDir workbooks_;
    QPointer<form1> window_; // gone with each test's library

    Store& store() { return library().store(); }
    form1& window() { return window_ ? *window_ : *(window_ = &library().openActiveWindow()); }
    Ui::form1& ui() { return window().controls(); }
    QTableWidget& grid() { return *ui().MSFlexGrid1; }
    void clickNode(const QString& caption) { GuiDriver::clickNode(window(), caption); }
    // "Calculate", on formula with its first Inputs replaced by inputs when it is given.
    void calculate(const QString& formula = {}, const QStringList& inputs = {})
    {
        if (!formula.isEmpty())
            clickNode(formula);
        for (int i = 0; i < inputs.size(); ++i)
            grid().item(i + 1, 2)->setText(inputs.at(i));
        QTest::mouseClick(ui().Command1, Qt::LeftButton);
    }
    QList<QStringList> resultRows() { return GuiDriver::listRows(*ui().ListView1, 6); }
    QString time(int row) { return resultRows().value(row).value(4); }
    QString cell(int row, int column) { return ParameterGrid::cell(grid(), row, column); }
    void pressCell(int row, int column)
    {
        grid().scrollTo(grid().model()->index(row, column));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().visualRect(grid().model()->index(row, column)).center());
    }
    void clickResult(int index) { GuiDriver::clickRow(*ui().ListView1, index); }
    XlsxFile exportWorkbook()
    {
        ui().Routexcel->trigger();
        return XlsxFile(library().desktop().opened.value(0));
    }
    // Workbooks go to path until the guard returned goes, then to the test's own folder again.
    auto temporaryFolderAt(const QString& path)
    {
        qputenv("TMPDIR", QFile::encodeName(path));
        return qScopeGuard([this] { qputenv("TMPDIR", QFile::encodeName(workbooks_.path())); });
    }

public:
    Form1CalcTest() { qputenv("TMPDIR", QFile::encodeName(workbooks_.path())); }

private slots:
    // The editor opens on a parameter's Input only, over the cell, with the cell's text; what
    // is typed is written back however the edit ends. A press after a press-opened edit only
    // closes it, even when the edit ended otherwise.
    void editorOnParameterInputs()
    {
        clickNode("CompositeWallHeatFlow");
        QLineEdit& editor = *ui().Text1;
        const auto typeInto = [&](int row, const QString& text) {
            QVERIFY(editor.isVisible() && editor.hasFocus());
            const QPoint centre = grid().viewport()->mapFrom(&window(), editor.geometry().center());
            QCOMPARE(grid().indexAt(centre), grid().model()->index(row, 2));
            QCOMPARE(editor.text(), cell(row, 2));
            editor.selectAll();
            QTest::keyClicks(&editor, text);
        };
        grid().setFocus();
        grid().setCurrentCell(1, 0);
        QTest::keyClick(&grid(), Qt::Key_Return);
        pressCell(0, 2);
        QVERIFY(!editor.isVisible());

        grid().setCurrentCell(1, 2);
        QTest::keyClick(&grid(), Qt::Key_Return);
        typeInto(1, "1,5");
        QTest::keyClick(&editor, Qt::Key_Return);
        const QString second = cell(2, 2);
        pressCell(7, 2);
        typeInto(7, "2,5");
        pressCell(2, 2);
        QVERIFY(!editor.isVisible());
        QCOMPARE(QStringList({cell(1, 2), cell(2, 2), cell(7, 2)}), QStringList({"1,5", second, "2,5"}));
        pressCell(2, 2);
        typeInto(2, "3,5");
        QWidget& tree = *ui().Tvwmain->viewport();
        QTest::mouseClick(&tree, Qt::LeftButton, {}, QPoint(tree.width() / 2, tree.height() - 3));
        pressCell(1, 2);
        QVERIFY(!editor.isVisible());
        QCOMPARE(QStringList({cell(1, 2), cell(2, 2)}), QStringList({"1,5", "3,5"}));
    }

    // An edit left open while the grid was refilled, by a tree click or a recall, is never
    // written into the new contents.
    void staleEditStaysOutOfARefilledGrid()
    {
        calculate("KineticEnergy");
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
        calculate("KineticEnergy");
        calculate("OhmsLaw");
        pressCell(2, 2);
        QPushButton& choose = *ui().Command3;
        QVERIFY(choose.isVisible());

        QList<QStringList> shown;
        bool openWithoutRow = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto& list = *dialog->findChild<QTreeWidget*>("ListView1");
            shown = GuiDriver::listRows(list, 6);
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

    // A computation that succeeds gets a row, a number and a history row per parameter, and
    // Ctrl+C copies it with the result in full where the list rounds it. One that fails
    // leaves no trace in the library, only the reason on the status line.
    void computationIsRecordedOnlyWhenItSucceeds_data()
    {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("row");
        const QStringList none;
        QTest::newRow("typed values") << QStringList{"1", "0.33333"} << QStringList{"OhmsLaw", "U", "0.333", "V", "1"};
        QTest::newRow("the parameter string's own separators") << QStringList{"1", "1#R||2"} << none;
        QTest::newRow("result out of range") << QStringList{"1e300", "1e300"} << none;
    }
    void computationIsRecordedOnlyWhenItSucceeds()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, row);
        calculate("OhmsLaw", inputs);
        const QList<QStringList> rows = resultRows();
        QCOMPARE(rows.size(), row.isEmpty() ? 0 : 1);
        QCOMPARE(rows.value(0).mid(0, 4) + rows.value(0).mid(5), row);
        QCOMPARE(ui().StatusLine->text().startsWith("Not computed"), row.isEmpty());
        const QString counter = store().first("select * from OhmsLaw where ispara=0")->value("calcount").toString();
        QCOMPARE(counter, row.isEmpty() ? "0" : "1");
        QCOMPARE(store().query("select * from ParaResult").size(), row.isEmpty() ? 0 : 2);
        if (row.isEmpty())
            return;
        QVERIFY(QTime::fromString(rows[0][4], "h:mm:ss").isValid());
        clickResult(0);
        QTest::keyClick(ui().ListView1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "U = 0.333 V\nR = 1 Ω\nI = 0.33333 A\nU = 0.33333 V (full precision)");
    }

    // An input may carry a unit: it is computed, and kept in the history, in its parameter's
    // unit, and the status line says what was converted. A unit of another kind refuses the
    // computation; one not understood is no number, as ever.
    void inputsWithUnits_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("kept"); // empty when nothing is added
        QTest::addColumn<QString>("status");
        const QString beam = "CantileverDeflection";
        QTest::newRow("kN and m into N and mm") << beam << QStringList{"1 kN", "2 m"} << QStringList{"1000", "2000"}
                                                << "F: 1 kN = 1000 N; L: 2 m = 2000 mm";
        QTest::newRow("the parameter's own unit") << beam << QStringList{"1000 N", "2000mm"} << QStringList{"1000", "2000"} << "";
        QTest::newRow("°C into K, with the offset") << "CarnotEfficiency" << QStringList{"20 °C"}
                                                    << QStringList{"293.15", "800"} << "Tc: 20 °C = 293.15 K";
        QTest::newRow("another kind") << beam << QStringList{"1000", "2500 kg"} << QStringList{}
                                      << "Not computed: L: 2500 kg cannot be converted to mm, the unit of L.";
        QTest::newRow("a unit not understood") << beam << QStringList{"1000", "2 cubits"} << QStringList{}
                                               << "Not computed, row 2 (Length): The value of L, \"2 cubits\", is not a number.";
    }
    void inputsWithUnits()
    {
        QFETCH(QString, formula);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, kept);
        QFETCH(QString, status);
        calculate(formula, inputs);
        QCOMPARE(GuiDriver::statusLine(window()), status);
        QCOMPARE(resultRows().size(), kept.isEmpty() ? 0 : 1);
        QStringList used;
        if (const auto recalled = Computation::recall(store(), formula, "1"))
            for (const GridRow& row : recalled->parameters.mid(0, kept.size()))
                used << row.input;
        QCOMPARE(used, kept);
    }

    // "Show in Unit…" reads the selected result in a unit typed; the formula's later results are
    // read in it too, on the status line and in the tooltip, while the list's text stays.
    void resultShownInAnotherUnit()
    {
        calculate("KineticEnergy");
        clickResult(0);
        QAction& showInUnit = *ui().Rdelresmenu->findChild<QAction*>("Rshowunit");
        const QString prompt = "Show Ek in the unit:";
        library().dialogs().expectInput(prompt, "m");
        showInUnit.trigger();
        QCOMPARE(GuiDriver::statusLine(window()), "Ek cannot be shown in m: J cannot be converted to m.");
        library().dialogs().expectInput(prompt, "kJ");
        showInUnit.trigger();
        QCOMPARE(GuiDriver::statusLine(window()), "Ek = 115.926 kJ");

        calculate("KineticEnergy", {"1000"});
        QCOMPARE(GuiDriver::statusLine(window()), "Ek = 96.605 kJ");
        QTreeWidget& list = *ui().ListView1;
        QVERIFY(GuiDriver::tipOver(list, list.model()->index(1, 2)).endsWith("\nEk = 96.605 kJ"));
        QCOMPARE(resultRows().value(1).mid(2, 2), (QStringList{"96605.00", "J"}));
        calculate("OhmsLaw");
        QCOMPARE(GuiDriver::statusLine(window()), QString());
    }

    // A result keeps the formula it was computed with: after the formula changed, its tooltip,
    // Copy and the Numbers sheet tell what it used, with every digit; Sheet1 and the recall show
    // the formula as it is now, as ever, and the status line says what changed since.
    void resultKeepsTheFormulaItWasComputedWith()
    {
        calculate("CantileverDeflection");
        const Formula asRead = *Formula::read(store(), "CantileverDeflection");
        Formula changed = asRead;
        changed.function = "w";
        changed.expression = "F*L^3/(48*E*I)";
        changed.parameters[1].unit = "m";
        QCOMPARE(Formulas::modify(store(), "CantileverDeflection", changed, asRead), Formulas::Problem::None);

        QTreeWidget& list = *ui().ListView1;
        const QString used = "f = 0.654 mm\nF = 1000 N\nL = 2000 mm\nE = 210000 N/mm²\nI = 19430000 mm⁴\n"
                             "f = 0.6535467163362171 mm (full precision)";
        QCOMPARE(GuiDriver::tipOver(list, list.model()->index(0, 2)),
                 "CantileverDeflection, computation 1 at " + time(0) + "\nf = F*L^3/(3*E*I)\n" + used);
        clickResult(0);
        QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), used);
        QCOMPARE(GuiDriver::statusLine(window()), "Computed with an earlier version of this formula: function name was f; "
                                             "expression was F*L^3/(3*E*I); unit of L was mm");
        QCOMPARE(ui().Text3->toPlainText(), changed.expression);
        QCOMPARE(cell(2, 4), "mm");

        const XlsxFile book = exportWorkbook();
        const XlsxFile::Sheet numbers = book.sheets.value(ResultWorkbook::NumbersSheet);
        QCOMPARE((QStringList{numbers.value("D1").value, numbers.value("F1").value, numbers.value("D2").value}),
                 (QStringList{"f [mm]", "L [mm]", "0.6535467163362171"}));
        QCOMPARE(book.sheets.value("Sheet1").value("B2").value, "w=F*L^3/(48*E*I)");
    }

    // A result the list rounds to nothing is told in full on the status line, when computed
    // and when recalled.
    void resultShownAsZeroIsToldInFull()
    {
        const QString told = "Result in full: U = 2e-04 V (the list shows 0.000)";
        calculate("OhmsLaw", {"0.0004", "0.5"});
        QCOMPARE(resultRows().value(0).value(2), "0.000");
        QCOMPARE(GuiDriver::statusLine(window()), told);
        clickNode("KineticEnergy");
        QCOMPARE(GuiDriver::statusLine(window()), QString());
        clickResult(0);
        QCOMPARE(GuiDriver::statusLine(window()), told);
    }

    // The history ends at the first row without an input; texts are stored as they are. A
    // formula deleted meanwhile is neither counted nor recalled, and a statement the library
    // refuses undoes the record's other writes.
    void recordAndRecall()
    {
        const QStringList mass{"Driver's mass; --", "m", "1200", "1100", QString::fromUtf8("kg 'net' \xF0\x9D\x9F\x98")};
        const QList<GridRow> rows{{{mass[0], mass[1], mass[4], mass[3], {}}, mass[2]},
                                  {{"Velocity", "v", "m/s", "2", {}}, ""},
                                  {{"Unused", "x", "m", "5", {}}, "5"}};
        const auto first = Computation::record(store(), "KineticEnergy", "m*v^2/2", rows, 2.0 / 3.0, QTime(9, 5, 3));
        QVERIFY(first);
        QCOMPARE(first->columns(), (QStringList{"KineticEnergy", "Ek", "0.67", "J", "9:05:03", "1"}));
        QCOMPARE(Computation::record(store(), "KineticEnergy", "m*v^2/2", rows, 1, QTime(23, 59, 59))->number, "2");
        const auto recalled = Computation::recall(store(), "KineticEnergy", "2");
        QVERIFY(recalled);
        QCOMPARE(recalled->expression, "m*v^2/2");
        QCOMPARE(recalled->parameters.size(), 1);
        const GridRow& got = recalled->parameters.at(0);
        QCOMPARE((QStringList{got.name, got.symbol, got.input, got.value, got.unit}), mass);

        QVERIFY(!Computation::record(store(), "NoSuchFormula", "1", rows, 1, QTime(1, 0)));
        QVERIFY(!Computation::recall(store(), "NoSuchFormula", "1"));
        store().execute("alter table ParaResult rename to ParaResultAway");
        QVERIFY_THROWS_EXCEPTION(StoreError, Computation::record(store(), "KineticEnergy", "m*v^2/2", rows, 1, QTime(1, 0)));
        QCOMPARE(store().first("select * from KineticEnergy where ispara=0")->value("calcount").toString(), "2");
        QCOMPARE(store().query("select * from ParaResultAway").size(), 2);
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
        calculate("KineticEnergy");
        calculate();
        calculate("OhmsLaw");
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

        calculate("KineticEnergy");
        QCOMPARE(resultRows().value(remaining.size()).value(5), emptied ? "1" : "3");
    }

    // Five lines a computation in list order, in UTF-8 with CR LF; whatever the file held
    // before is gone, and nothing else is left beside it. A computation whose formula left the
    // library after it was made is exported, to either, from what the list and the history
    // still hold; where no program takes the workbook, the user learns where it is.
    void exportsOfAFormulaGoneMeanwhile()
    {
        calculate("OhmsLaw", {"100"});
        calculate("KineticEnergy", {"1200", "20"});
        store().execute("drop table OhmsLaw");
        QTemporaryDir out;
        const QString old = out.filePath("results.txt");
        QVERIFY(writeFile(old, QByteArray(5000, 'x')));

        const QString expected
            = "Formula Name: OhmsLaw\r\nResult: U=5.000 V\r\n"
              "Parameter Information: Resistance: R=100 Ω.  Current: I=0.05 A.  \r\n"
              "Computation(s): 1\r\nTime: " + time(0) + "\r\n\r\n\r\n"
              "Formula Name: KineticEnergy\r\nResult: Ek=m*v^2/2=240000.00 J\r\n"
              "Parameter Information: Mass: m=1200 kg.  Velocity: v=20 m/s.  \r\n"
              "Computation(s): 1\r\nTime: " + time(1) + "\r\n\r\n\r\n";
        library().dialogs().expectSaveFileName(old);
        ui().Routtxt->trigger();
        QCOMPARE(fileBytes(old), expected.toUtf8());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"results.txt"});

        library().desktop().canOpen = false;
        library().dialogs().expectMessageStarting("No program could open the workbook. It is saved as /");
        const XlsxFile::Sheet sheet = exportWorkbook().sheets.value("Sheet1");
        QVERIFY(library().dialogs().shown().constLast().endsWith(library().desktop().opened.value(0)));
        QCOMPARE((QStringList{sheet.value("A2").value, sheet.value("B2").value, sheet.value("C2").value,
                              sheet.value("E2").value, sheet.value("B3").value}),
                 (QStringList{"OhmsLaw", "", "U=5.000 V", "R=100 Ω", "Ek=m*v^2/2"}));
    }

    // Names and units of a library made by hand may hold line breaks and other control
    // characters: they are escaped, so that a computation keeps its five lines.
    void textExportKeepsItsLines()
    {
        ComputationRecord computed;
        computed.formula = "Two\nLines";
        computed.number = "1";
        computed.time = "9:00:00";
        computed.value = 2;
        computed.precision = 3;
        computed.unit = QString::fromUtf8("m\u2028");
        const ExportedComputation computation{computed, "y\tz", QString("2*x\r"), {{"Len\ngth", "x", "m\x01", "1", {}}}};
        const ExportTexts texts{"Formula Name", "Result", "Result", "Expression:", "Parameter Information", "Computation(s)", "Time"};
        QCOMPARE(ResultText::block(computation, texts),
                 "Formula Name: Two\\nLines\r\nResult: y\\tz=2*x\\r=2.000 m\\u2028\r\n"
                 "Parameter Information: Len\\ngth: x=1 m\\x01.  \r\nComputation(s): 1\r\nTime: 9:00:00\r\n\r\n\r\n");
    }

    // Sheet1 holds texts, a row per computation and a column per parameter, past Z when a
    // formula has that many; the Numbers sheet a table per formula, with numbers a spreadsheet
    // can add up under headings naming each value's symbol and unit.
    void workbookReadBack()
    {
        Formula many{"ManyLoads", "S", "kN", "0", "Sum of many loads", "1", {}};
        for (int i = 1; i <= 24; ++i) {
            many.parameters.append({QString("Load %1").arg(i), QString("F%1").arg(i), "kN", QString::number(i), {}});
            many.expression += QString("+F%1").arg(i);
        }
        Formulas::add(store(), many, QString());
        calculate("KineticEnergy");
        calculate("ManyLoads");
        calculate("KineticEnergy", {"1500", "-2.5e1"});

        const XlsxFile book = exportWorkbook();
        QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
        QCOMPARE(book.sheetNames, (QStringList{"Sheet1", ResultWorkbook::NumbersSheet}));
        const XlsxFile::Sheet texts = book.sheets.value("Sheet1");
        const XlsxFile::Sheet numbers = book.sheets.value(ResultWorkbook::NumbersSheet);
        const auto row = [](const XlsxFile::Sheet& sheet, int number, const QString& columns) {
            QStringList values;
            for (const QChar column : columns)
                values << sheet.value(column + QString::number(number)).value;
            return values;
        };
        QCOMPARE(row(texts, 2, "ABCDEFG"),
                 (QStringList{"KineticEnergy", "Ek=m*v^2/2", "Ek=115926.00 J", time(0), "m=1200 kg", "v=13.9 m/s", ""}));
        QCOMPARE(texts.value("C3").value + "|" + texts.value("AB3").value + "|" + texts.value("AC3").value, "S=300.0 kN|F24=24 kN|");
        QVERIFY(!texts.value("B2").number && !texts.value("E2").number);

        QCOMPARE(row(numbers, 1, "DEF"), (QStringList{"Ek [J]", "m [kg]", "v [m/s]"}));
        QCOMPARE(row(numbers, 2, "ABCDEF"), (QStringList{"KineticEnergy", "1", time(0), "115926", "1200", "13.9"}));
        QCOMPARE(row(numbers, 3, "ABCDEF"), (QStringList{"KineticEnergy", "2", time(2), "468750", "1500", "-25"}));
        QCOMPARE(row(numbers, 5, "DE"), (QStringList{"S [kN]", "F1 [kN]"}));
        for (const char* number : {"B2", "D2", "E3", "F3", "D6"})
            QVERIFY2(numbers.value(number).number, number);
        QCOMPARE(library().desktop().opened.size(), 1);
    }

    // Nothing to export, nothing chosen, or nowhere to put it: the user is told, and no file
    // that looks like an export is left anywhere.
    void exportsThatWriteNothing()
    {
        library().dialogs().expectMessage("Haven't the computation result!");
        library().dialogs().expectMessage("Haven't the computation result!");
        ui().Routtxt->trigger();
        ui().Routexcel->trigger();

        calculate("OhmsLaw");
        library().dialogs().expectSaveFileName({});
        ui().Routtxt->trigger();
        QTemporaryDir out;
        const QString missing = out.filePath("gone/results.txt");
        library().dialogs().expectSaveFileName(missing);
        library().dialogs().expectMessageStarting("The results can't be written to " + missing + " (");
        ui().Routtxt->trigger();

        // A temporary folder that is a file: the workbook has nowhere to go.
        const QString blocker = out.filePath("blocker");
        QVERIFY(writeFile(blocker, "x"));
        const auto restore = temporaryFolderAt(blocker);
        library().dialogs().expectMessageStarting("The results can't be written to " + blocker + " (");
        ui().Routexcel->trigger();
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"blocker"});
        QVERIFY(library().desktop().opened.isEmpty());
    }

    // A disk that fills up midway through an export: the user is told which file and why, the
    // file that was there stays whole, and nothing is left beside it.
    void failedWriteLeavesTheOldFile_data()
    {
        QTest::addColumn<bool>("workbook");
        QTest::newRow("text") << false;
        QTest::newRow("workbook") << true;
    }
    void failedWriteLeavesTheOldFile()
    {
        QFETCH(bool, workbook);
        for (int i = 0; i < 3; ++i)
            calculate("OhmsLaw");
        QTemporaryDir out;
        const QString existing = out.filePath("results.txt");
        QVERIFY(writeFile(existing, "kept"));
        const auto restore = temporaryFolderAt(out.path());

        library().dialogs().expectMessageStarting("The results can't be written to " + out.path() + "/");
        {
            const FullDisk full(256);
            if (workbook) {
                ui().Routexcel->trigger();
            } else {
                library().dialogs().expectSaveFileName(existing);
                ui().Routtxt->trigger();
            }
        }
        QCOMPARE(fileBytes(existing), "kept");
        const QString told = library().dialogs().shown().value(0);
        QVERIFY2(told.endsWith(" (File too large). Nothing was saved; a file already there is left as it was."),
                 qPrintable(told));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"results.txt"});
        QVERIFY(library().desktop().opened.isEmpty());
    }

    // The workbooks that earlier runs left in the temporary folder go at the next start once they
    // are a day old; anything that may not be ours, or may still be in use, stays.
    void oldWorkbooksAreRemoved_data()
    {
        QTest::addColumn<QString>("folder"); // the workbook's folder renamed; empty: as the export named it
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("hoursOld");
        QTest::addColumn<bool>("removed");
        const QStringList workbook{"Results.xlsx"};
        QTest::newRow("a day old") << "" << workbook << 25 << true;
        QTest::newRow("left halfway by an interrupted export") << "" << QStringList{".Results.xlsx.3f2a~"} << 25 << true;
        QTest::newRow("from today") << "" << workbook << 23 << false;
        QTest::newRow("a file of the user's beside it") << "" << QStringList{"Results.xlsx", "Mine.ods"} << 25 << false;
        QTest::newRow("another program's folder") << "results-AbC123" << workbook << 25 << false;
    }
    void oldWorkbooksAreRemoved()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, files);
        QFETCH(int, hoursOld);
        QFETCH(bool, removed);
        QTemporaryDir temporary;
        const auto restore = temporaryFolderAt(temporary.path());
        calculate("OhmsLaw");
        ui().Routexcel->trigger();
        QDir workbook = QFileInfo(library().desktop().opened.value(0)).dir();
        if (!folder.isEmpty()) {
            QVERIFY(QDir(temporary.path()).rename(workbook.dirName(), folder));
            workbook.setPath(temporary.filePath(folder));
        }
        QVERIFY(files.constFirst() == "Results.xlsx" || workbook.rename("Results.xlsx", files.constFirst()));
        for (const QString& file : files.mid(1))
            QVERIFY(QFile(workbook.filePath(file)).open(QIODevice::WriteOnly));
        const auto then = std::filesystem::file_time_type::clock::now() - std::chrono::hours(hoursOld);
        for (const QString& file : files)
            std::filesystem::last_write_time(QFile::encodeName(workbook.filePath(file)).toStdString(), then);
        std::filesystem::last_write_time(QFile::encodeName(workbook.path()).toStdString(), then);

        ResultWorkbook::removeOldWorkbooks(temporary.path());
        QCOMPARE(workbook.exists(), !removed);
        QCOMPARE(workbook.entryList(QDir::Files | QDir::Hidden).size(), removed ? 0 : files.size());
    }

    // An export the user cancels leaves whatever stood where it was going, and nothing that
    // looks like an export.
    void cancelledExportLeavesNothing_data()
    {
        QTest::addColumn<bool>("workbook");
        QTest::addColumn<int>("cancelAt");
        QTest::newRow("text, halfway") << false << 2;
        QTest::newRow("workbook, before the first") << true << 0;
        QTest::newRow("workbook, after the last") << true << 3;
    }
    void cancelledExportLeavesNothing()
    {
        QFETCH(bool, workbook);
        QFETCH(int, cancelAt);
        const QList<GridRow> parameters{{{"Resistance", "R", "Ω", "220", {}}, "220"}, {{"Current", "I", "A", "0.05", {}}, "0.05"}};
        QList<ComputationRecord> rows;
        for (int i = 0; i < 3; ++i)
            rows << *Computation::record(store(), "OhmsLaw", "R*I", parameters, 11, QTime(9, 30));
        QTemporaryDir out;
        const QString existing = out.filePath("results.txt");
        QVERIFY(writeFile(existing, "kept"));

        QStringList reported;
        const ExportProgress progress = [&](int done, int total) {
            reported << QString("%1/%2").arg(done).arg(total);
            return done < cancelAt;
        };
        ExportSource source(store(), rows);
        const ExportOutcome outcome = workbook ? ResultWorkbook::make(source, {}, out.path(), progress)
                                               : ResultText::write(source, {}, existing, progress);
        QCOMPARE(outcome.kind, ExportOutcome::Kind::Cancelled);
        QCOMPARE(reported.size(), cancelAt + 1);
        QCOMPARE(reported.constLast(), QString("%1/3").arg(cancelAt));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"results.txt"});
        QCOMPARE(fileBytes(existing), "kept");
    }
};

QTEST_MAIN(Form1CalcTest)
#include "form1calc_test.moc"
