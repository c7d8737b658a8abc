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

static QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Form1ExportTest : public QObject
{
    Q_OBJECT

    std::optional<LibraryFixture> library_;
    std::optional<QTemporaryDir> out_;
    form1* window_ = nullptr;

    form1& window() { return window_ ? *window_ : *(window_ = &library_->openWindow()); }
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
        return XlsxFile(library_->desktop().opened.value(0));
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

    // Five lines a computation in list order, in UTF-8 with CR LF; whatever the file held
    // before is gone, and nothing else is left beside it. A computation whose formula left the
    // library after it was made is exported from what the list and the history still hold.
    void textFileReplacesWhatWasThere()
    {
        calculate("OhmsLaw", {"100"});
        calculate("KineticEnergy", {"1200", "20"});
        library_->store().execute("drop table OhmsLaw");
        QFile old(out_->filePath("results.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(5000, 'x')) == 5000);
        old.close();

        const QString expected
            = "Formula Name: OhmsLaw\r\nResult: U=5.000 V\r\n"
              "Parameter Information: Resistance: R=100 Ω.  Current: I=0.05 A.  \r\n"
              "Computation(s): 1\r\nTime: " + time(0) + "\r\n\r\n\r\n"
              "Formula Name: KineticEnergy\r\nResult: Ek=m*v^2/2=240000.00 J\r\n"
              "Parameter Information: Mass: m=1200 kg.  Velocity: v=20 m/s.  \r\n"
              "Computation(s): 1\r\nTime: " + time(1) + "\r\n\r\n\r\n";
        QCOMPARE(fileBytes(exportText()), expected.toUtf8());
        QCOMPARE(QDir(out_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"results.txt"});
    }

    // Sheet1 holds texts, a row per computation and a column per parameter, past Z when a
    // formula has that many; the Numbers sheet a table per formula, with numbers a spreadsheet
    // can add up under headings naming each value's symbol and unit.
    void workbookReadBack()
    {
        Formula many{"ManyLoads", "S", "kN", {}, "Sum of many loads", "1", {}};
        QStringList symbols;
        for (int i = 1; i <= 24; ++i) {
            many.parameters.append({QString("Load %1").arg(i), QString("F%1").arg(i), "kN", QString::number(i), {}});
            symbols << QString("F%1").arg(i);
        }
        many.expression = symbols.join('+');
        Formulas::add(library_->store(), many, QString());
        calculate("KineticEnergy");
        calculate("ManyLoads");
        calculate("KineticEnergy", {"1500", "-2.5e1"});

        const XlsxFile book = exportWorkbook();
        QVERIFY2(book.error().isEmpty(), qPrintable(book.error()));
        QCOMPARE(book.sheetNames(), (QStringList{"Sheet1", ResultWorkbook::NumbersSheet}));
        const XlsxFile::Sheet texts = book.sheet("Sheet1");
        const XlsxFile::Sheet numbers = book.sheet(ResultWorkbook::NumbersSheet);
        const auto row = [](const XlsxFile::Sheet& sheet, int number, const QString& columns) {
            QStringList values;
            for (const QChar column : columns)
                values << sheet.value(column + QString::number(number)).value;
            return values;
        };
        QCOMPARE(row(texts, 1, "ABCDE"), (QStringList{"Formula Name", "Expression:", "Result", "Time", "Parameter Information"}));
        QCOMPARE(row(texts, 2, "ABCDEFG"),
                 (QStringList{"KineticEnergy", "Ek=m*v^2/2", "Ek=115926.00 J", time(0), "m=1200 kg", "v=13.9 m/s", ""}));
        QCOMPARE(texts.value("C3").value + "|" + texts.value("AB3").value + "|" + texts.value("AC3").value, "S=300.0 kN|F24=24 kN|");
        QVERIFY(!texts.value("B2").number && !texts.value("E2").number);

        QCOMPARE(row(numbers, 1, "ABCDEF"), (QStringList{"Formula Name", "Computation(s)", "Time", "Ek [J]", "m [kg]", "v [m/s]"}));
        QCOMPARE(row(numbers, 2, "ABCDEF"), (QStringList{"KineticEnergy", "1", time(0), "115926", "1200", "13.9"}));
        QCOMPARE(row(numbers, 3, "ABCDEF"), (QStringList{"KineticEnergy", "2", time(2), "468750", "1500", "-25"}));
        QCOMPARE(row(numbers, 5, "ADE"), (QStringList{"Formula Name", "S [kN]", "F1 [kN]"}));
        for (const char* number : {"B2", "D2", "E3", "F3", "D6"})
            QVERIFY2(numbers.value(number).number, number);
        QVERIFY(!numbers.value("C2").number);
        QCOMPARE(library_->desktop().opened.size(), 1);
    }

    // The workbook of a computation whose formula is gone; where no program takes the
    // workbook, the user learns where it is.
    void formulaGoneMeanwhile()
    {
        calculate("OhmsLaw", {"100"});
        calculate("KineticEnergy");
        library_->store().execute("drop table OhmsLaw");

        library_->desktop().canOpen = false;
        library_->dialogs().expectMessageStarting("No program could open the workbook. It is saved as /");
        const XlsxFile::Sheet sheet = exportWorkbook().sheet("Sheet1");
        QVERIFY(library_->dialogs().shown().constLast().endsWith(library_->desktop().opened.value(0)));
        QCOMPARE((QStringList{sheet.value("A2").value, sheet.value("B2").value, sheet.value("C2").value,
                              sheet.value("E2").value, sheet.value("B3").value}),
                 (QStringList{"OhmsLaw", "", "U=5.000 V", "R=100 Ω", "Ek=m*v^2/2"}));
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
};

QTEST_MAIN(Form1ExportTest)
#include "form1export_test.moc"
