// "Output All Result" through the main window: computations made with "Calculate", exported
// through the menu entries, and the text file and workbook read back from disk.
#include "calc/resultworkbook.h"
#include "editor/formulas.h"
#include "guidriver.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "store/store.h"
#include "xlsxfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// A formula with more parameters than the letters E to Z can hold.
constexpr int ManyParameters = 24;

Formula manyParameterFormula()
{
    Formula formula{"ManyLoads", "S", "kN", {}, "Sum of many loads", "1", {}};
    QStringList symbols;
    for (int i = 1; i <= ManyParameters; ++i) {
        formula.parameters.append({QString("Load %1").arg(i), QString("F%1").arg(i), "kN", QString::number(i), {}});
        symbols << QString("F%1").arg(i);
    }
    formula.expression = symbols.join('+');
    return formula;
}

// The column (A = 0) and the row (from 1) of an address such as "AB12".
std::pair<int, int> position(const QString& address)
{
    int column = 0;
    qsizetype letters = 0;
    for (; letters < address.size() && address.at(letters).isLetter(); ++letters)
        column = column * 26 + (address.at(letters).unicode() - 'A' + 1);
    return {column - 1, address.mid(letters).toInt()};
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts of a worksheet's cells, by address.
QMap<QString, QString> texts(const XlsxFile::Sheet& sheet)
{
    QMap<QString, QString> texts;
    for (auto cell = sheet.cells.cbegin(); cell != sheet.cells.cend(); ++cell)
        texts.insert(cell.key(), cell->value);
    return texts;
}

} // namespace

class Form1ExportTest : public QObject
{
    Q_OBJECT

    std::optional<LibraryFixture> library_;
    std::optional<QTemporaryDir> out_;
    form1* window_ = nullptr;

    form1& window()
    {
        if (!window_)
            window_ = &library_->openWindow();
        return *window_;
    }
    Ui::form1& ui() { return window().controls(); }
    void calculate(const QString& formula, const QStringList& inputs = {})
    {
        GuiDriver::clickNode(window(), formula);
        for (int i = 0; i < inputs.size(); ++i)
            ui().MSFlexGrid1->item(i + 1, 2)->setText(inputs.at(i));
        QTest::mouseClick(ui().Command1, Qt::LeftButton);
    }
    QString time(int row) { return ui().ListView1->topLevelItem(row)->text(4); }

    QString exportText()
    {
        const QString path = out_->filePath("results.txt");
        library_->dialogs().expectSaveFileName(path);
        ui().Routtxt->trigger();
        return path;
    }
    XlsxFile exportWorkbook()
    {
        ui().Routexcel->trigger();
        const QString path = library_->desktop().opened.value(0);
        return XlsxFile(path);
    }

private slots:
    void init()
    {
        window_ = nullptr;
        library_.emplace();
        out_.emplace();
    }
    void cleanup()
    {
        VERIFY_NO_SURPRISES(*library_);
        // Each workbook has a temporary folder of its own, which the desktop would have read.
        for (const QString& workbook : library_->desktop().opened)
            QFileInfo(workbook).dir().removeRecursively();
        library_.reset();
    }

    // Five lines a computation in list order, each with its own values, in UTF-8 with CR LF;
    // whatever the file held before is gone, and nothing else is left beside it.
    void textFileReplacesWhatWasThere()
    {
        calculate("KineticEnergy");
        calculate("KineticEnergy", {"1200", "20"});
        calculate("OhmsLaw");
        const QString path = out_->filePath("results.txt");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();

        exportText();
        const QString expected
            = "Formula Name: KineticEnergy\r\nResult: Ek=m*v^2/2=115926.00 J\r\n"
              "Parameter Information: Mass: m=1200 kg.  Velocity: v=13.9 m/s.  \r\n"
              "Computation(s): 1\r\nTime: " + time(0) + "\r\n\r\n\r\n"
              "Formula Name: KineticEnergy\r\nResult: Ek=m*v^2/2=240000.00 J\r\n"
              "Parameter Information: Mass: m=1200 kg.  Velocity: v=20 m/s.  \r\n"
              "Computation(s): 2\r\nTime: " + time(1) + "\r\n\r\n\r\n"
              "Formula Name: OhmsLaw\r\nResult: U=R*I=11.000 V\r\n"
              "Parameter Information: Resistance: R=220 Ω.  Current: I=0.05 A.  \r\n"
              "Computation(s): 1\r\nTime: " + time(2) + "\r\n\r\n\r\n";
        QCOMPARE(fileBytes(path), expected.toUtf8());
        QCOMPARE(QDir(out_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"results.txt"});
    }

    // Sheet1 as a spreadsheet user reads it: a bold, frozen header row, texts only, a row per
    // computation and a column per parameter, past Z when a formula has that many. The
    // workbook goes to the desktop.
    void workbookRowsAndParameterColumns()
    {
        Formulas::add(library_->store(), manyParameterFormula(), QString());
        calculate("KineticEnergy");
        calculate("ManyLoads");
        calculate("OhmsLaw");

        const XlsxFile book = exportWorkbook();
        QVERIFY2(book.error().isEmpty(), qPrintable(book.error()));
        QCOMPARE(book.sheetNames(), (QStringList{"Sheet1", ResultWorkbook::NumbersSheet}));
        const XlsxFile::Sheet sheet = book.sheet("Sheet1");
        const QMap<QString, QString> cells = texts(sheet);
        QCOMPARE(cells.value("A1") + "|" + cells.value("B1") + "|" + cells.value("C1") + "|" + cells.value("D1"),
                 "Formula Name|Expression:|Result|Time");
        QCOMPARE((QStringList{cells.value("A2"), cells.value("B2"), cells.value("C2"), cells.value("D2"),
                              cells.value("E2"), cells.value("F2"), cells.value("G2")}),
                 (QStringList{"KineticEnergy", "Ek=m*v^2/2", "Ek=115926.00 J", time(0), "m=1200 kg", "v=13.9 m/s", ""}));
        QCOMPARE(cells.value("Z3"), "F22=22 kN");
        QCOMPARE(cells.value("AA3"), "F23=23 kN");
        QCOMPARE(cells.value("AB3"), "F24=24 kN");
        QCOMPARE(cells.value("C3"), "S=300.0 kN");
        QCOMPARE(cells.value("A4") + "|" + cells.value("F4"), "OhmsLaw|I=0.05 A");
        // One heading over every parameter column, and nothing past the last.
        QStringList headings;
        for (auto cell = sheet.cells.cbegin(); cell != sheet.cells.cend(); ++cell) {
            const auto [column, row] = position(cell.key());
            QVERIFY2(column < 4 + ManyParameters && !cell->number, qPrintable(cell.key()));
            QCOMPARE(cell->bold, row == 1);
            if (row == 1 && column >= 4)
                headings << cell->value;
        }
        QCOMPARE(headings, QStringList(ManyParameters, "Parameter Information"));
        QCOMPARE(sheet.frozenRows, 1);
        // Wide enough for their longest texts: a formula's name, a heading.
        QVERIFY(sheet.widths.value(1) >= QString("KineticEnergy").size());
        QVERIFY(sheet.widths.value(5) >= QString("Parameter Information").size());
        QCOMPARE(library_->desktop().opened.size(), 1);
    }

    // The Numbers worksheet holds a table per formula, with numbers a spreadsheet can add up
    // under headings that name each value's symbol and unit.
    void workbookNumbers()
    {
        calculate("KineticEnergy");
        calculate("OhmsLaw");
        calculate("KineticEnergy", {"1500", "-2.5e1"});

        const XlsxFile book = exportWorkbook();
        const XlsxFile::Sheet sheet = book.sheet(ResultWorkbook::NumbersSheet);
        const QMap<QString, QString> cells = texts(sheet);
        const auto row = [&](int number, const QString& last) {
            QStringList values;
            for (QChar column = 'A'; column <= last.front(); column = QChar(column.unicode() + 1))
                values << cells.value(column + QString::number(number));
            return values;
        };
        QCOMPARE(row(1, "F"), (QStringList{"Formula Name", "Computation(s)", "Time", "Ek [J]", "m [kg]", "v [m/s]"}));
        QCOMPARE(row(2, "F"), (QStringList{"KineticEnergy", "1", time(0), "115926", "1200", "13.9"}));
        QCOMPARE(row(3, "F"), (QStringList{"KineticEnergy", "2", time(2), "468750", "1500", "-25"}));
        QVERIFY(row(4, "F").join("").isEmpty());
        QCOMPARE(row(5, "F"), (QStringList{"Formula Name", "Computation(s)", "Time", "U [V]", "R [Ω]", "I [A]"}));
        QCOMPARE(row(6, "F"), (QStringList{"OhmsLaw", "1", time(1), "11", "220", "0.05"}));
        for (const char* number : {"B2", "D2", "E3", "F3", "D6"})
            QVERIFY2(sheet.cells.value(number).number, number);
        QVERIFY(!sheet.cells.value("C2").number && sheet.cells.value("A5").bold && !sheet.cells.value("A6").bold);
        // Two tables: a frozen first heading would stand over the second table's rows.
        QCOMPARE(sheet.frozenRows, 0);
    }

    // A computation whose formula left the library after it was made is exported from what
    // the list and the history still hold: no expression, every parameter value.
    void formulaGoneMeanwhile_data()
    {
        QTest::addColumn<QString>("removal");
        QTest::newRow("its tree row") << "delete * from CataConstruct where caption='OhmsLaw'";
        QTest::newRow("its table") << "drop table OhmsLaw";
    }
    void formulaGoneMeanwhile()
    {
        QFETCH(QString, removal);
        calculate("OhmsLaw", {"100"});
        calculate("KineticEnergy");
        library_->store().execute(removal);

        const QByteArray text = fileBytes(exportText());
        QVERIFY(text.startsWith("Formula Name: OhmsLaw\r\nResult: U=5.000 V\r\n"
                                "Parameter Information: Resistance: R=100 \xce\xa9.  Current: I=0.05 A.  \r\n"));
        QVERIFY(text.contains("Result: Ek=m*v^2/2=115926.00 J\r\n"));

        const QMap<QString, QString> cells = texts(exportWorkbook().sheet("Sheet1"));
        QCOMPARE((QStringList{cells.value("A2"), cells.value("B2"), cells.value("C2"), cells.value("E2")}),
                 (QStringList{"OhmsLaw", "", "U=5.000 V", "R=100 Ω"}));
        QCOMPARE(cells.value("B3"), "Ek=m*v^2/2");
    }

    // Nothing to export, nothing chosen, or nowhere to put it: the user is told, and no file
    // that looks like an export is left anywhere.
    void exportsThatWriteNothing()
    {
        library_->dialogs().expectMessage("Haven't the computation result!");
        library_->dialogs().expectMessage("Haven't the computation result!");
        ui().Routtxt->trigger();
        ui().Routexcel->trigger();

        calculate("OhmsLaw");
        library_->dialogs().expectSaveFileName({});
        ui().Routtxt->trigger();
        const QString missing = out_->filePath("gone/results.txt");
        library_->dialogs().expectSaveFileName(missing);
        library_->dialogs().expectMessageStarting("The results can't be written to " + missing + " (");
        ui().Routtxt->trigger();

        // A temporary folder that is a file: the workbook has nowhere to go.
        const std::optional<QByteArray> temporary
            = qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
        QFile blocker(out_->filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("TMPDIR", QFile::encodeName(blocker.fileName()));
        library_->dialogs().expectMessageStarting("The results can't be written to " + blocker.fileName() + " (");
        ui().Routexcel->trigger();
        if (temporary)
            qputenv("TMPDIR", *temporary);
        else
            qunsetenv("TMPDIR");
        QCOMPARE(QDir(out_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"blocker"});
        QVERIFY(library_->desktop().opened.isEmpty());
    }

    // Where no program takes the workbook, the user learns where it is.
    void workbookNobodyOpens()
    {
        calculate("OhmsLaw");
        library_->desktop().canOpen = false;
        library_->dialogs().expectMessageStarting("No program could open the workbook. It is saved as /");
        const XlsxFile book = exportWorkbook();
        QVERIFY(library_->dialogs().shown().constLast().endsWith(library_->desktop().opened.value(0)));
        QCOMPARE(book.sheet("Sheet1").cells.value("A2").value, "OhmsLaw");
    }
};

QTEST_MAIN(Form1ExportTest)
#include "form1export_test.moc"
