#include "filecontents.h"
#include "fulldisk.h"
#include "libraryfile.h"
#include "samplelibrary.h"
#include "xlsxfile.h"

#include "editor/formulas.h"
#include "mainwindow/catalogs.h"
#include "store/store.h"
#include "unfinishedwrite.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// A catalog as calcora-cli exports it, with a variable in each catalog and a formula, for
// hand-editing: every name of it is free in the sample library, every text unique.
const char* const Optics = R"json({"format": "calcora-catalog", "version": 1, "catalog": {
 "name": "Optics", "description": "Lenses and mirrors",
 "variables": [{"symbol": "n0", "name": "Index of air", "value": 1.0003, "unit": "-", "description": ""}],
 "catalogs": [{"name": "Lenses", "description": "", "catalogs": [], "formulas": [],
   "variables": [{"symbol": "f0", "name": "Focal length", "value": 50, "unit": "mm", "description": ""}]}],
 "formulas": [{"name": "ThinLens", "function": "f", "expression": "1/(1/a+1/b)", "unit": "mm", "precision": 3,
   "description": "Image of a thin lens",
   "parameters": [{"symbol": "a", "name": "Object distance", "default": 100, "unit": "mm", "description": ""},
                  {"symbol": "b", "name": "Image distance", "default": 200, "unit": "mm", "description": ""}]}]}})json";

// A catalog's variables, as the library holds them.
Rows variables(const QString& library, const QString& catalog)
{
    return Store(library, Store::Access::ReadOnly).query("select * from " + catalog + " order by varname");
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString sample_; // the sample library with one broken formula added; commands leave it as it is
    int edited_ = 0;

    // Optics with each first text replaced by its second, as a file edited by hand.
    QString handEdited(const QList<std::pair<QString, QString>>& edits)
    {
        QString json = QString::fromUtf8(Optics);
        for (const auto& [from, to] : edits) {
            if (!json.contains(from))
                qFatal("no %s in Optics", qPrintable(from));
            json.replace(from, to);
        }
        const QString path = dir_.filePath(QStringLiteral("edited%1.json").arg(++edited_));
        if (!writeFile(path, json.toUtf8()))
            qFatal("%s cannot be written", qPrintable(path));
        return path;
    }

    // Runs calcora-cli; setup prepares its process: its environment, its disk.
    Run cli(const QStringList& arguments, const QString& library = {},
            const std::function<void(QProcess&)>& setup = {})
    {
        QProcess process;
        if (setup)
            setup(process);
        process.start(QStringLiteral(CALCORA_CLI),
                      QStringList{QStringLiteral("--library"), library.isEmpty() ? sample_ : library} + arguments);
        Run run;
        if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit)
            run.status = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private slots:
    void initTestCase()
    {
        sample_ = dir_.filePath(QStringLiteral("sample"));
        createLibraryFile(sample_, [](Store& store) {
            fillSampleLibrary(store);
            Formulas::add(store, {"Broken", "y", "m", "2*(q+1)", "", "3", {{"Length", "x", "m", "1", ""}}}, "Fluids");
            Formulas::add(store, {"Hostile", "=1+2", "", "-x", "", "3", {{"Length", "x", "m", "1", ""}}}, QString());
            // Made by hand: no dialog takes these names.
            Formulas::add(store, {"Two\nLines", "y\tz", "m\x01", "2*x", "a\nb", "3", {{"Len\ngth", "x", "m", "1", "d\re"}}},
                          "Thermodynamics");
        });
        // Fluids under a free name, with three names the library cannot take: two formulas'
        // and a fixed table's.
        const QString clashes = dir_.filePath("clashes.json");
        QCOMPARE(cli({"export", "Fluids", clashes}).status, 0);
        QString json = QString::fromUtf8(fileBytes(clashes));
        json.replace("\"Fluids\"", "\"Liquids\"").replace("\"ReynoldsNumber\"", "\"Reynolds\"")
            .replace("\"PipePressureDrop\"", "\"ParaResult\"");
        QVERIFY(writeFile(clashes, json.toUtf8()));
    }

    // Values worked out by hand; the result as the desktop formats it, to the formula's precision.
    // Sweeps: a range runs down as well as up; the first range given varies fastest; undefined
    // points are marked.
    void computes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name in other case, a default and a given value")
            << QStringList{"eval", "ohmslaw", "I=0.1"} << "U = 22.000 V\n";
        QTest::newRow("json, the result in full")
            << QStringList{"eval", "KineticEnergy", "m=3", "v=0.7", "--json"}
            << R"({"formula":"KineticEnergy","function":"Ek","parameters":{"m":3,"v":0.7},)"
               R"("result":0.7349999999999999,"text":"0.73","unit":"J","units":{"m":"kg","v":"m/s"}})" "\n";
        // Values, ranges and results in units of the parameters' and the result's kinds.
        QTest::newRow("a value in another unit") << QStringList{"eval", "CantileverDeflection", "L=2.5m"} << "f = 1.276 mm\n";
        QTest::newRow("the result in another unit, json")
            << QStringList{"eval", "KineticEnergy", "m=1t", "v=36km/h", "--to", "kJ", "--json"}
            << R"({"formula":"KineticEnergy","function":"Ek","parameters":{"m":1000,"v":10},)"
               R"("result":50,"text":"50","unit":"kJ","units":{"m":"kg","v":"m/s"}})" "\n";
        QTest::newRow("a range with a unit on each")
            << QStringList{"sweep", "OhmsLaw", "I=100mA:300mA:100mA", "--csv", "-"} << "I [A],U [V]\n0.1,22\n0.2,44\n0.3,66\n";
        QTest::newRow("a range with a unit after the step, results in another unit")
            << QStringList{"sweep", "OhmsLaw", "I=100:200:100 mA", "--to", "kV", "--csv", "-"} << "I [A],U [kV]\n0.1,0.022\n0.2,0.044\n";
        QTest::newRow("a step of temperature is a difference")
            << QStringList{"sweep", "IdealGasPressure", "T=0:20:10 °C", "--to", "kPa"}
            << " T [K]    p [kPa]\n273.15   94.23675\n283.15   97.68675\n293.15  101.13675\n";
        QTest::newRow("CSV, range running down") << QStringList{"sweep", "OhmsLaw", "--csv", "-", "I=0.3:0:0.1"}
                                                 << "I [A],U [V]\n0.3,66\n0.2,44\n0.1,22\n0,0\n";
        QTest::newRow("CSV, every digit where the list shows 0.000")
            << QStringList{"sweep", "OhmsLaw", "R=3", "I=1.2e-6:2.4e-6:1.2e-6", "--csv", "-"}
            << "I [A],U [V]\n1.2e-06,3.6e-06\n2.4e-06,7.2e-06\n";
        QTest::newRow("CSV, a heading that reads as a formula, negative numbers")
            << QStringList{"sweep", "Hostile", "x=1:2:1", "--csv", "-"} << "x [m],'=1+2\n1,-1\n2,-2\n";
        QTest::newRow("table, two ranges with undefined points")
            << QStringList{"sweep", "QuadraticRoot", "c=0:1:1", "b=-2:-1:1"}
            << "c [-]  b [-]     x1 [-]\n"
               "    0     -2     2.0000\n"
               "    1     -2     1.0000\n"
               "    0     -1     1.0000\n"
               "    1     -1  undefined\n";
        // Names and texts made by hand keep to their lines.
        QTest::newRow("list, control characters escaped")
            << QStringList{"list", "Thermodynamics"}
            << "Thermodynamics/\n  IdealGasPressure\n  ThermalExpansion\n  CompositeWallHeatFlow\n  CarnotEfficiency\n  Two\\nLines\n";
        QTest::newRow("show, control characters escaped")
            << QStringList{"show", "Two\nLines"}
            << "Formula      Two\\nLines\nPath         Thermodynamics/Two\\nLines\nFunction     y\\tz\nExpression   2*x\n"
               "Unit         m\\x01\nPrecision    3\n"
               "Description  a\\nb\n\n"
               "Symbol  Name      Default  Unit  Description\n"
               "x       Len\\ngth        1  m     d\\re\n";
        // Found by name and description, a catalog before what it holds; by expression in
        // other case.
        QTest::newRow("find, a catalog and a formula in it")
            << QStringList{"find", "beam"} << "Mechanics/Beams/\nMechanics/Beams/SimpleBeamDeflection\n";
        QTest::newRow("find, expression in other case, control characters escaped")
            << QStringList{"find", "2*X"} << "Thermodynamics/Two\\nLines\n";
        QTest::newRow("eval, control characters escaped") << QStringList{"eval", "Two\nLines"} << "y\\tz = 2.000 m\\x01\n";
    }

    void computes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run run = cli(arguments);
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.out, expected);
    }

    // Each failure: its exit status, nothing on standard output, one line on standard error,
    // and no library written or made.
    void failsWithOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // parts joined by " & "
        QTest::newRow("no library") << QStringList{"--library", dir_.filePath("nowhere"), "list"} << 1
                                    << "There is no formula library";
        QTest::newRow("find, nothing") << QStringList{"find", "xyzzy"} << 1
                                       << "No formula or catalog of the library holds \"xyzzy\".";
        QTest::newRow("find, no text") << QStringList{"find"} << 2 << "find takes TEXT";
        QTest::newRow("not SYMBOL=VALUE") << QStringList{"eval", "KineticEnergy", "m"} << 2 << "\"m\" is not SYMBOL=VALUE";
        QTest::newRow("a catalog is no formula") << QStringList{"show", "Beams"} << 1 << "no formula \"Beams\"";
        QTest::newRow("unknown parameter") << QStringList{"eval", "KineticEnergy", "q=1"} << 1
                                           << "KineticEnergy has no parameter q; its parameters are m, v.";
        QTest::newRow("value the parameter string cannot carry") << QStringList{"eval", "KineticEnergy", "m=1#v||2"} << 1
                                                                 << "The value of m, \"1#v||2\"";
        QTest::newRow("not finite") << QStringList{"eval", "QuadraticRoot", "a=0"} << 1 << "not a finite number";
        QTest::newRow("position in the expression") << QStringList{"eval", "Broken"} << 1
                                                    << "Unknown symbol 'q'. (at character 4 of the expression 2*(q+1))";
        QTest::newRow("a value of another kind") << QStringList{"eval", "CantileverDeflection", "L=2.5kg"} << 1
                                                 << "L: 2.5 kg cannot be converted to mm, the unit of L.";
        QTest::newRow("a range of another kind") << QStringList{"sweep", "OhmsLaw", "I=1kg:2kg:1kg"} << 1
                                                 << "I: 1 kg cannot be converted to A, the unit of I.";
        QTest::newRow("a result in another kind") << QStringList{"eval", "KineticEnergy", "--to", "m"} << 1
                                                  << "KineticEnergy: J cannot be converted to m.";
        QTest::newRow("a result in a unit not understood") << QStringList{"sweep", "OhmsLaw", "I=0:1:1", "--to", "volts?"} << 1
                                                           << "OhmsLaw: \"volts?\" is not understood as a unit.";
        QTest::newRow("check, no such catalog") << QStringList{"check", "Nowhere"} << 1 << "There is no catalog \"Nowhere\"";
        QTest::newRow("too many points") << QStringList{"sweep", "KineticEnergy", "v=0:2000:1", "m=0:2000:1"} << 1
                                         << "at most 1000000";
        QTest::newRow("too many curves for a chart")
            << QStringList{"sweep", "OhmsLaw", "I=0:1:0.5", "R=1:100:1", "--plot", dir_.filePath("curves.svg")} << 1
            << "The chart would have 100 curves, one for each value of R; it can show at most 15. "
               "Give R a larger step or a shorter range.";
        QTest::newRow("unwritable CSV") << QStringList{"sweep", "KineticEnergy", "v=0:1:1", "--csv", "/nonexistent/a.csv"}
                                        << 1 << "/nonexistent/a.csv cannot be written";
        QTest::newRow("not JSON") << QStringList{"import", QStringLiteral(CALCORA_CLI)} << 1 << "is not JSON";
        QTest::newRow("every clash of an import")
            << QStringList{"import", dir_.filePath("clashes.json")} << 1
            << "3 problem(s): catalog.formulas[1].name: is the name of a table of the library; "
               "catalog.formulas[2].name: is the name of a catalog or formula of the library; "
               "catalog.formulas[3].name: is the name of a catalog or formula of the library.";

        // A file edited by hand is held to the dialogs' checks, each problem told with its place.
        const auto edited = [this](const char* row, const QList<std::pair<QString, QString>>& edits, const QString& problem) {
            QTest::newRow(row) << QStringList{"import", handEdited(edits)} << 1 << "has 1 problem(s): " + problem + '.';
        };
        const QString unprintable = ": holds a line break, a tab, a control character or a blank other than the space";
        edited("catalog named as a formula of the library", {{"\"Lenses\"", "\"OhmsLaw\""}},
               "catalog.catalogs[0].name: is the name of a table of the library");
        edited("a name given twice", {{"\"Lenses\"", "\"thinlens\""}}, "catalog.formulas[0].name: is given twice in the document");
        edited("precision no number", {{"\"precision\": 3", "\"precision\": [3]"}}, "catalog.formulas[0].precision: is not a number");
        edited("symbol given twice", {{"\"symbol\": \"b\"", "\"symbol\": \"a\""}},
               "catalog.formulas[0].parameters[1].symbol: is another parameter's of the formula");
        const QString defined = "symbol: is a variable's already, of this catalog, of one above it or of the root";
        edited("variable symbol of a catalog above", {{"\"symbol\": \"f0\"", "\"symbol\": \"n0\""}},
               "catalog.catalogs[0].variables[0]." + defined);
        edited("variable symbol of a global", {{"\"symbol\": \"n0\"", "\"symbol\": \"g\""}}, "catalog.variables[0]." + defined);
        QTest::newRow("every problem of a file")
            << QStringList{"import", handEdited({{"\"Optics\"", "\"Optics Lab\""}, {"\"value\": 50", "\"value\": \"fifty\""},
                                                {"\"precision\": 3", "\"precision\": 0"}, {"\"symbol\": \"a\"", "\"symbol\": \"1a\""},
                                                {"\"Lenses\"", "\"Lenses\\t\""}})}
            << 1
            << "has 5 problem(s): catalog.name: holds a blank or a punctuation mark; catalog.catalogs[0].name" + unprintable
                   + "; catalog.catalogs[0].variables[0].value: holds a character other than the digits, a point and a minus sign; "
                     "catalog.formulas[0].precision: is not a whole number from 1 to 8; "
                     "catalog.formulas[0].parameters[0].symbol: can't be used in an expression.";
    }

    void failsWithOneLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QByteArray before = fileBytes(Store::filePath(sample_));
        const Run run = cli(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.isEmpty() && run.err.startsWith("calcora-cli: ") && run.err.count('\n') == 1
                     && run.err.endsWith('\n'),
                 qPrintable(run.out + run.err));
        for (const QString& part : message.split(" & "))
            QVERIFY2(run.err.contains(part), qPrintable(run.err));
        QCOMPARE(fileBytes(Store::filePath(sample_)), before);
        QVERIFY(!QFile::exists(dir_.filePath("nowhere")));
        QVERIFY(!QFile::exists(dir_.filePath("curves.svg")));
    }

    // A disk that fills up midway, and one that is full from the start: each writer fails with
    // one line on standard error naming what it could not write and why, and leaves the file
    // that was there whole, with nothing beside it.
    void failedWriteLeavesTheOldFile_data()
    {
        QTest::addColumn<QStringList>("arguments"); // FILE stands for the file written
        QTest::addColumn<QString>("file");          // holds "old" before; none for a device
        QTest::addColumn<QString>("told");
        const QString tooLarge = "FILE cannot be written: File too large; a file already there is left as it was.";
        const QStringList sweep{"sweep", "KineticEnergy", "v=0:2000:1"};
        QTest::newRow("catalog export") << QStringList{"export", "Mechanics", "FILE"} << "out.json" << tooLarge;
        QTest::newRow("CSV") << sweep + QStringList{"--csv", "FILE"} << "out.csv" << tooLarge;
        QTest::newRow("workbook") << sweep + QStringList{"--xlsx", "FILE"} << "out.xlsx" << tooLarge;
        QTest::newRow("PNG chart") << QStringList{"sweep", "KineticEnergy", "v=0:30:1", "--plot", "FILE"} << "out.png"
                                   << tooLarge;
        QTest::newRow("SVG chart") << QStringList{"sweep", "KineticEnergy", "v=0:30:1", "--plot", "FILE"} << "out.svg"
                                   << tooLarge;
        QTest::newRow("CSV into a full device") << sweep + QStringList{"--csv", "/dev/full"} << ""
                                                << "/dev/full cannot be written: No space left on device";
        QTest::newRow("CSV to a full standard output") << sweep + QStringList{"--csv", "-"} << ""
                                                       << "Standard output cannot be written: No space left on device";
    }

    void failedWriteLeavesTheOldFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(QString, told);
        QTemporaryDir out;
        const QString path = out.filePath(file);
        QVERIFY(file.isEmpty() || writeFile(path, "old"));
        const Run run = cli(arguments.replaceInStrings("FILE", path), {}, [](QProcess& process) {
            process.setStandardOutputFile("/dev/full");
            process.setChildProcessModifier([] { fillDiskAfter(2048); });
        });
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("calcora-cli: " + told.replace("FILE", path)) && run.err.count('\n') == 1,
                 qPrintable(run.err));
        if (file.isEmpty())
            return;
        QCOMPARE(fileBytes(path), "old");
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{file});
    }

    // The sample library as it is made passes; the one with formulas made by hand lists each that
    // does not agree, and fails for the one that disagrees.
    void checksUnits()
    {
        const QString pristine = dir_.filePath("pristine");
        createLibraryFile(pristine, [](Store& store) { fillSampleLibrary(store); });
        const Run passes = cli({"check"}, pristine);
        QVERIFY2(passes.status == 0 && passes.err.isEmpty(), qPrintable(passes.err));
        QCOMPARE(passes.out, "22 formula(s): 22 agree, 0 disagree, 0 not understood, 0 not checked.\n");

        const Run fails = cli({"check"});
        QCOMPARE(fails.status, 1);
        QCOMPARE(fails.err, "calcora-cli: The units of 1 formula(s) disagree.\n");
        QCOMPARE(fails.out, "Formula     Units           Why\n"
                            "Broken      not checked     The expression cannot be computed: Unknown symbol 'q'.\n"
                            "Two\\nLines  not understood  The result's unit, \"m\\x01\", is not understood\n"
                            "Hostile     disagree        The expression gives m where the result is in 1\n"
                            "\n"
                            "25 formula(s): 22 agree, 1 disagree, 1 not understood, 1 not checked.\n");
        QCOMPARE(cli({"check", "fluids"}).status, 0);
    }

    // After a program was killed while changing the library, reading it undoes that change.
    void readsPastAnInterruptedChange()
    {
        const QString interrupted = dir_.filePath("interrupted");
        copyMidWrite(sample_, interrupted);
        const Run run = cli({"list"}, interrupted);
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.out, cli({"list"}).out);
    }

    // The files hold what standard output shows; the chart's axes are titled with the swept
    // parameter's and the result's names and units, with a curve per value of the other range.
    void sweepWritesFiles()
    {
        const QString csv = dir_.filePath("sweep.csv"), xlsx = dir_.filePath("sweep.xlsx"), svg = dir_.filePath("sweep.svg");
        const QStringList sweep{"sweep", "ProjectileRange", "alpha=0:90:15", "v=10:20:10"};
        const Run run = cli(sweep + QStringList{"--csv", csv, "--xlsx", xlsx, "--plot", svg});
        QVERIFY2(run.status == 0 && run.out.isEmpty() && run.err.isEmpty(), qPrintable(run.err + run.out));
        QCOMPARE(QString::fromUtf8(fileBytes(csv)), cli(sweep + QStringList{"--csv", "-"}).out);
        QVERIFY(fileBytes(xlsx).startsWith("PK"));
        const QString chart = QString::fromUtf8(fileBytes(svg));
        for (const char* text : {"Launch angle alpha [°]", "R [m]", "v = 10 [m/s]", "v = 20 [m/s]"})
            QVERIFY2(chart.contains(QString::fromUtf8(text)), text);
        QCOMPARE(cli({"sweep", "QuadraticRoot", "c=0:4:0.25", "--plot", dir_.filePath("sweep.png")}).status, 0);
        QVERIFY(!QImage(dir_.filePath("sweep.png")).isNull());
    }

    // Where the decimal mark is a comma, a workbook's numbers are still numbers.
    void workbookNumbersWhereTheDecimalMarkIsAComma()
    {
        const QString locales = dir_.filePath("locales");
        QVERIFY(QDir().mkpath(locales));
        if (QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", locales + "/de_DE.UTF-8"}) != 0)
            QSKIP("localedef cannot make a German locale here");
        const QString path = dir_.filePath("comma.xlsx");
        const Run run = cli({"sweep", "KineticEnergy", "m=1", "v=0.5:1:0.5", "--xlsx", path}, {}, [&](QProcess& process) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("LOCPATH", locales);
            environment.insert("LC_ALL", "de_DE.UTF-8");
            process.setProcessEnvironment(environment);
        });
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const XlsxFile::Sheet sheet = XlsxFile(path).sheets.value("Sweep");
        QCOMPARE(sheet.value("A2").value + " " + sheet.value("B2").value, "0.5 0.125");
        QVERIFY(sheet.value("A2").number && sheet.value("B2").number);
    }

    // Export, then import into an empty library: the copy lists as the original, with the catalogs'
    // variables. Again under other names, into a catalog
    // outside the first copy, whose variables its own would repeat.
    void exportImportRoundTrip()
    {
        const QString file = dir_.filePath("mechanics.json"), copy = dir_.filePath("copy");
        QCOMPARE(cli({"export", "mechanics", file}).status, 0);
        createLibraryFile(copy);
        const Run imported = cli({"import", file}, copy);
        QVERIFY2(imported.status == 0, qPrintable(imported.err));

        const Run list = cli({"list", "Mechanics"});
        QCOMPARE(cli({"list"}, copy).out, list.out);
        QStringList formulas;
        for (const QString& item : list.out.split('\n', Qt::SkipEmptyParts)) {
            if (!item.endsWith('/'))
                formulas << item.trimmed();
        }
        QVERIFY(!variables(copy, "Mechanics").isEmpty());

        QString json = QString::fromUtf8(fileBytes(file));
        for (const QString& name : formulas + QStringList{"Mechanics", "Beams"})
            json.replace('"' + name + '"', '"' + name + "2\"");
        QVERIFY(writeFile(file, json.toUtf8()));
        {
            Store store(copy);
            Catalogs::add(store, "Shelf", "", "");
        }
        QCOMPARE(cli({"import", file, "--into", "shelf"}, copy).status, 0);
        QCOMPARE(cli({"list", "Mechanics2"}, copy).out, QString(list.out).replace(QRegularExpression("(/?)\n"), "2\\1\n"));
        QCOMPARE(cli({"eval", "TorquePower2"}, copy).out, cli({"eval", "TorquePower"}).out);
        QCOMPARE(variables(copy, "Beams2"), variables(sample_, "Beams"));
    }

    // Values the library keeps to four decimal places are imported so, and listed.
    void importListsRoundedValues()
    {
        const QString library = dir_.filePath("rounded");
        createLibraryFile(library);
        const Run run = cli({"import", handEdited({{"1.0003", "0.00001"}, {"\"default\": 100", "\"default\": 1.23456"}})}, library);
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.out, "Imported 2 catalog(s) and 1 formula(s) into the root.\n"
                          "catalog.variables[0].value: 0.00001 is stored as 0.0000: the library keeps four decimal places.\n"
                          "catalog.formulas[0].parameters[0].default: 1.23456 is stored as 1.2346: the library keeps four "
                          "decimal places.\n");
        QCOMPARE(variables(library, "Optics").value(0).value("defvalue").toDouble(), 0.0);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
