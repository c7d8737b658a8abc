#include "libraryfile.h"
#include "samplelibrary.h"

#include "editor/formulas.h"
#include "store/store.h"
#include "unfinishedwrite.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

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

    Run cli(const QStringList& arguments, const QString& library = {})
    {
        QProcess process;
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
        });
        // Fluids under a free name, with three names the library cannot take: two formulas'
        // and a fixed table's.
        const QString clashes = dir_.filePath("clashes.json");
        QCOMPARE(cli({"export", "Fluids", clashes}).status, 0);
        QString json = QString::fromUtf8(fileBytes(clashes));
        json.replace("\"Fluids\"", "\"Liquids\"").replace("\"ReynoldsNumber\"", "\"Reynolds\"")
            .replace("\"PipePressureDrop\"", "\"ParaResult\"");
        QVERIFY(writeText(clashes, json));
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
        QTest::newRow("json") << QStringList{"eval", "KineticEnergy", "v=2", "--json"}
                              << R"({"formula":"KineticEnergy","function":"Ek","parameters":{"m":1200,"v":2},)"
                                 R"("result":2400,"text":"2400.00","unit":"J"})" "\n";
        QTest::newRow("CSV, range running down") << QStringList{"sweep", "OhmsLaw", "--csv", "-", "I=0.3:0:0.1"}
                                                 << "I [A],U [V]\n0.3,66.000\n0.2,44.000\n0.1,22.000\n0,0.000\n";
        QTest::newRow("table, two ranges with undefined points")
            << QStringList{"sweep", "QuadraticRoot", "c=0:1:1", "b=-2:-1:1"}
            << "c [-]  b [-]     x1 [-]\n"
               "    0     -2     2.0000\n"
               "    1     -2     1.0000\n"
               "    0     -1     1.0000\n"
               "    1     -1  undefined\n";
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
        QTest::newRow("not SYMBOL=VALUE") << QStringList{"eval", "KineticEnergy", "m"} << 2 << "\"m\" is not SYMBOL=VALUE";
        QTest::newRow("a catalog is no formula") << QStringList{"show", "Beams"} << 1 << "no formula \"Beams\"";
        QTest::newRow("unknown parameter") << QStringList{"eval", "KineticEnergy", "q=1"} << 1
                                           << "KineticEnergy has no parameter q; its parameters are m, v.";
        QTest::newRow("value the parameter string cannot carry") << QStringList{"eval", "KineticEnergy", "m=1#v||2"} << 1
                                                                 << "The value of m, \"1#v||2\"";
        QTest::newRow("not finite") << QStringList{"eval", "QuadraticRoot", "a=0"} << 1 << "not a finite number";
        QTest::newRow("position in the expression") << QStringList{"eval", "Broken"} << 1
                                                    << "Unknown symbol 'q'. (at character 4 of the expression 2*(q+1))";
        QTest::newRow("too many points") << QStringList{"sweep", "KineticEnergy", "v=0:2000:1", "m=0:2000:1"} << 1
                                         << "at most 1000000";
        QTest::newRow("unwritable CSV") << QStringList{"sweep", "KineticEnergy", "v=0:1:1", "--csv", "/nonexistent/a.csv"}
                                        << 1 << "/nonexistent/a.csv cannot be written";
        QTest::newRow("not JSON") << QStringList{"import", QStringLiteral(CALCORA_CLI)} << 1 << "is not JSON";
        QTest::newRow("every clash of an import") << QStringList{"import", dir_.filePath("clashes.json")} << 1
                                                  << "3 name(s) & ParaResult is a table of the library & "
                                                     "HydrostaticPressure is in use & Broken is in use";
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

    // Export, then import into an empty library: list, show and eval of the copy agree with the
    // original's, and the catalogs' variables came along. Again under other names, into a catalog.
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
        QVERIFY(!formulas.isEmpty());
        for (const QString& formula : formulas) {
            QCOMPARE(cli({"show", formula}, copy).out, cli({"show", formula}).out);
            QCOMPARE(cli({"eval", formula, "--json"}, copy).out, cli({"eval", formula, "--json"}).out);
        }
        for (const char* catalog : {"Mechanics", "Beams"})
            QCOMPARE(variables(copy, catalog), variables(sample_, catalog));
        QVERIFY(!variables(copy, "Mechanics").isEmpty());

        QString json = QString::fromUtf8(fileBytes(file));
        for (const QString& name : formulas + QStringList{"Mechanics", "Beams"})
            json.replace('"' + name + '"', '"' + name + "2\"");
        QVERIFY(writeText(file, json));
        QCOMPARE(cli({"import", file, "--into", "beams"}, copy).status, 0);
        QCOMPARE(cli({"list", "Mechanics2"}, copy).out, QString(list.out).replace(QRegularExpression("(/?)\n"), "2\\1\n"));
        QCOMPARE(cli({"eval", "TorquePower2"}, copy).out, cli({"eval", "TorquePower"}).out);
        QCOMPARE(variables(copy, "Beams2"), variables(sample_, "Beams"));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
