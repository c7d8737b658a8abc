// The sweep window driven through its boxes and buttons, its charts drawn by the module the
// program loads; the files it saves read back from disk.
#include "calc/chartdrawing.h"
#include "calc/frmsweep.h"
#include "calc/sweeprangeboxes.h"
#include "editor/formulas.h"
#include "store/formula.h"
#include "filecontents.h"
#include "librarytest.h"
#include "xlsxfile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace {

// "symbol=value" pairs, as the grid would hand them over.
QHash<QString, QString> inputs(const QStringList& pairs)
{
    QHash<QString, QString> values;
    for (const QString& pair : pairs)
        values.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return values;
}

// The table as shown, a line per row, cells joined by blanks; "!" after a cell shown as
// undefined, in its own colour.
QStringList shownRows(const QTableView& view)
{
    const QAbstractItemModel& model = *view.model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            cells << index.data().toString() + (index.data(Qt::ForegroundRole).isValid() ? "!" : "");
        }
        rows << cells.join(' ');
    }
    return rows;
}

} // namespace

class FrmsweepTest : public LibraryTest
{
    Q_OBJECT

private:
    std::unique_ptr<Frmsweep> window_;
    QTemporaryDir out_;

    Frmsweep& open(const QString& formula, const QStringList& given = {})
    {
        QString problem;
        const ChartDrawing* charts = ChartDrawing::load(problem);
        if (!charts)
            qFatal("the charts module did not load: %s", qPrintable(problem));
        window_ = std::make_unique<Frmsweep>(*Formula::read(library().store(), formula), inputs(given),
                                             library().dialogs(), *charts, "Calcora");
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            qWarning("sweep window was not exposed");
        return *window_;
    }

    // Each setting as "Vary/FromBox=0" (a box of the range of the parameter that varies or of
    // the curves', a combo box by its symbol or text), or "Curves=on".
    void set(const QStringList& settings)
    {
        for (const QString& setting : settings) {
            const QString where = setting.section('=', 0, 0), value = setting.section('=', 1);
            if (where == "Curves") {
                window_->findChild<QGroupBox*>("CurveGroup")->setChecked(value == "on");
                continue;
            }
            auto* range = window_->findChild<SweepRangeBoxes*>(where.section('/', 0, 0) + "Range");
            QWidget* box = range->findChild<QWidget*>(where.section('/', 1));
            if (auto* text = qobject_cast<QLineEdit*>(box)) {
                text->clear();
                QTest::keyClicks(text, value);
            } else if (auto* choice = qobject_cast<QComboBox*>(box)) {
                const int index = choice->findData(value);
                choice->setCurrentIndex(index >= 0 ? index : choice->findText(value));
            } else {
                QFAIL(qPrintable("no box " + where));
            }
        }
    }

    QPushButton& button(const char* name) { return *window_->findChild<QPushButton*>(name); }
    QTableView& table() { return *window_->findChild<QTableView*>("ValuesTable"); }
    QString label(const char* name) { return window_->findChild<QLabel*>(name)->text(); }

    void saveTo(const char* buttonName, const QString& path)
    {
        library().dialogs().expectSaveFileName(path);
        button(buttonName).click();
    }

private slots:
    void cleanup() { window_.reset(); }

    // A range through points where the formula is not defined: the table marks them, and every
    // file holds what the table shows, numbers in full in CSV and the workbook.
    void computesAndSaves()
    {
        open("QuadraticRoot", {"b=-3", "c=2"});
        set({"Vary/ParameterBox=c", "Vary/FromBox=0", "Vary/ToBox=4", "Vary/SpacingKind=Step:", "Vary/SpacingBox=1"});
        QCOMPARE(label("OthersLabel"), "Other values: a = 1 -, b = -3 -");
        for (const char* save : {"SaveCsvButton", "SaveXlsxButton", "SavePngButton", "SaveSvgButton"})
            QVERIFY(!button(save).isEnabled());
        button("ComputeButton").click();
        QCOMPARE(shownRows(table()), QStringList({"0 3.0000", "1 2.6180", "2 2.0000", "3 undefined!", "4 undefined!"}));
        QCOMPARE(table().model()->headerData(1, Qt::Horizontal).toString(), "x1 [-]");
        QCOMPARE(label("SummaryLabel"), "5 points. The formula is not defined at 2 of them, marked undefined.");

        const QString csv = out_.filePath("roots.csv"), xlsx = out_.filePath("roots.xlsx");
        const QString png = out_.filePath("roots.png"), svg = out_.filePath("roots.svg");
        saveTo("SaveCsvButton", csv);
        QCOMPARE(fileBytes(csv), "c [-],x1 [-]\n0,3\n1,2.618033988749895\n2,2\n3,undefined\n4,undefined\n");
        QCOMPARE(label("SummaryLabel"), "5 points. The formula is not defined at 2 of them, marked undefined. Saved to " + csv + ".");
        saveTo("SaveXlsxButton", xlsx);
        const XlsxFile workbook(xlsx);
        QVERIFY2(workbook.error.isEmpty(), qPrintable(workbook.error));
        const XlsxFile::Sheet sheet = workbook.sheets.value("Sweep");
        QCOMPARE(sheet.value("B3").value.toDouble(), (3 + std::sqrt(5.0)) / 2);
        QVERIFY(sheet.value("B3").number && sheet.value("A6").number);
        QCOMPARE(sheet.value("B5").value + " " + sheet.value("B6").value, "undefined undefined");
        saveTo("SavePngButton", png);
        QCOMPARE(QImage(png).size(), QSize(800, 500));
        saveTo("SaveSvgButton", svg);
        const QByteArray drawn = fileBytes(svg);
        QVERIFY(drawn.contains("Constant term c [-]") && drawn.trimmed().endsWith("</svg>"));

        // A file that cannot be written is told of, and leaves nothing.
        library().dialogs().expectMessageStarting("The table can't be written to /nonexistent/roots.csv (");
        saveTo("SaveCsvButton", "/nonexistent/roots.csv");
    }

    // A family of curves, Enter in a box computing: the second parameter varies slowest, the
    // others at the values given, the curves named in the chart by their values.
    void familyOfCurves()
    {
        open("ProjectileRange", {"g=9.81"});
        set({"Vary/ParameterBox=alpha", "Vary/FromBox=0", "Vary/ToBox=90", "Vary/SpacingKind=Points:", "Vary/SpacingBox=7",
             "Curves=on", "Curve/ParameterBox=v", "Curve/FromBox=10", "Curve/ToBox=20", "Curve/SpacingKind=Step:",
             "Curve/SpacingBox=10"});
        QCOMPARE(label("OthersLabel"), "Other values: g = 9.81 m/s²");
        QTest::keyClick(window_->findChild<SweepRangeBoxes*>("CurveRange")->findChild<QLineEdit*>("SpacingBox"), Qt::Key_Return);
        const QStringList rows = shownRows(table());
        QCOMPARE(rows.size(), 14);
        QCOMPARE(rows.at(3), "45 10 10.19");
        QCOMPARE(rows.at(13), "90 20 0.00");
        const QString svg = out_.filePath("range.svg");
        saveTo("SaveSvgButton", svg);
        const QByteArray drawn = fileBytes(svg);
        for (const char* text : {"Launch angle alpha [°]", "v = 10 [m/s]", "v = 20 [m/s]"})
            QVERIFY2(drawn.contains(text), text);
    }

    // What cannot be computed is told, and nothing is shown.
    void refuses_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("message");
        const QStringList v{"Vary/ParameterBox=v"};
        QTest::newRow("From no number") << "KineticEnergy" << QStringList() << v + QStringList{"Vary/FromBox=1,5"}
                                        << "The range of v: \"1,5\" in From is not a number.";
        QTest::newRow("points no whole number") << "KineticEnergy" << QStringList() << v + QStringList{"Vary/SpacingBox=2.5"}
                                                << "The range of v: \"2.5\" in Points is not a whole number from 2 to 1000000.";
        QTest::newRow("step of zero")
            << "KineticEnergy" << QStringList() << v + QStringList{"Vary/SpacingKind=Step:", "Vary/SpacingBox=0"}
            << "The range of v has a step of zero.";
        QTest::newRow("an input no number") << "KineticEnergy" << QStringList{"m=heavy"} << v
                                            << "The value of m, \"heavy\", is not a number.";
        QTest::newRow("curves of the parameter that varies")
            << "KineticEnergy" << QStringList() << v + QStringList{"Curves=on", "Curve/ParameterBox=v"}
            << "The curves are drawn for the values of a parameter other than the one that varies: choose another one for them.";
        QTest::newRow("too many curves")
            << "KineticEnergy" << QStringList() << v + QStringList{"Curves=on", "Curve/ParameterBox=m", "Curve/SpacingBox=16"}
            << "The chart would have 16 curves, one for each value of m; it can show at most 15. "
               "Give m a larger step or a shorter range.";
        QTest::newRow("too many points")
            << "KineticEnergy" << QStringList() << v + QStringList{"Vary/SpacingBox=1000000", "Curves=on", "Curve/ParameterBox=m"}
            << "The sweep has 3000000 points; it may have at most 1000000.";
        QTest::newRow("expression the engine refuses") << "Broken" << QStringList() << QStringList()
                                                       << "Broken: Unknown symbol 'q'. (at character 4 of the expression 2*(q+1))";
    }

    void refuses()
    {
        QFETCH(QString, formula);
        QFETCH(QStringList, given);
        QFETCH(QStringList, settings);
        QFETCH(QString, message);
        Formulas::add(library().store(), {"Broken", "y", "m", "2*(q+1)", "", "3", {{"Length", "x", "m", "1", ""}}}, "Fluids");
        open(formula, given);
        set(settings);
        library().dialogs().expectMessage(message);
        button("ComputeButton").click();
        QCOMPARE(table().model()->rowCount(), 0);
        QVERIFY(!button("SaveCsvButton").isEnabled());
    }
};

QTEST_MAIN(FrmsweepTest)
#include "frmsweep_test.moc"
