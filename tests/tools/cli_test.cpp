#include "libraryfile.h"
#include "samplelibrary.h"

#include "editor/formulas.h"
#include "store/store.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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

// Every catalog variable of a library, as rows of texts, by catalog.
QStringList catalogVariables(const QString& library, const QStringList& catalogs)
{
    Store store(library, Store::Access::ReadOnly);
    QStringList rows;
    for (const QString& catalog : catalogs) {
        for (const QSqlRecord& row : store.query(QStringLiteral("select * from \"%1\"").arg(catalog))) {
            QStringList fields{catalog};
            for (const char* column : {"varname", "name", "defvalue", "unit", "descr"})
                fields << row.value(column).toString();
            rows << fields.join('|');
        }
    }
    return rows;
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
        QVERIFY(dir_.isValid());
        sample_ = dir_.filePath(QStringLiteral("sample"));
        createLibraryFile(sample_, [](Store& store) {
            fillSampleLibrary(store);
            Formulas::add(store, {"Broken", "y", "m", "2*(q+1)", "", "3", {{"Length", "x", "m", "1", ""}}}, "Fluids");
        });
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
            << QStringList{"sweep", "QuadraticRoot", "c=0:2:1", "b=-2:-1:1"}
            << "c [-]  b [-]     x1 [-]\n"
               "    0     -2     2.0000\n"
               "    1     -2     1.0000\n"
               "    2     -2  undefined\n"
               "    0     -1     1.0000\n"
               "    1     -1  undefined\n"
               "    2     -1  undefined\n";
    }

    void computes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run run = cli(arguments);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, expected);
        QCOMPARE(run.err, QString());
    }

    // Each failure: its exit status, nothing on standard output, one line on standard error.
    void failsWithOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << 2 << "no command";
        QTest::newRow("not SYMBOL=VALUE") << QStringList{"eval", "KineticEnergy", "m"} << 2 << "\"m\" is not SYMBOL=VALUE";
        QTest::newRow("a catalog is no formula") << QStringList{"show", "Beams"} << 1 << "no formula \"Beams\"";
        QTest::newRow("unknown parameter") << QStringList{"eval", "KineticEnergy", "q=1"} << 1
                                           << "KineticEnergy has no parameter q; its parameters are m, v.";
        QTest::newRow("value the parameter string cannot carry") << QStringList{"eval", "KineticEnergy", "m=1#v||2"} << 1
                                                                 << "The value of m, \"1#v||2\"";
        QTest::newRow("not finite") << QStringList{"eval", "QuadraticRoot", "a=0"} << 1 << "not a finite number";
        QTest::newRow("position in the expression") << QStringList{"eval", "Broken"} << 1
                                                    << "Unknown symbol 'q'. (at character 4 of the expression 2*(q+1))";
        QTest::newRow("zero step") << QStringList{"sweep", "KineticEnergy", "v=0:1:0"} << 1 << "has a step of zero";
        QTest::newRow("too many points") << QStringList{"sweep", "KineticEnergy", "v=0:2000:1", "m=0:2000:1"} << 1
                                         << "at most 1000000";
        QTest::newRow("unwritable CSV") << QStringList{"sweep", "KineticEnergy", "v=0:1:1", "--csv", "/nonexistent/a.csv"}
                                        << 1 << "/nonexistent/a.csv cannot be written";
        QTest::newRow("not JSON") << QStringList{"import", QStringLiteral(CALCORA_CLI)} << 1 << "is not JSON";
    }

    void failsWithOneLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QByteArray before = fileBytes(Store::filePath(sample_));
        const Run run = cli(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith("calcora-cli: ") && run.err.count('\n') == 1 && run.err.endsWith('\n'),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(fileBytes(Store::filePath(sample_)), before);
    }

    void missingLibrary()
    {
        const Run run = cli({"list"}, dir_.filePath("nowhere"));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("There is no formula library") && !QFile::exists(dir_.filePath("nowhere")),
                 qPrintable(run.err));
    }

    void sweepWritesFiles()
    {
        const QString csv = dir_.filePath("sweep.csv"), xlsx = dir_.filePath("sweep.xlsx");
        const QString svg = dir_.filePath("sweep.svg"), png = dir_.filePath("sweep.png");
        const QStringList sweep{"sweep", "ProjectileRange", "alpha=0:90:15", "v=10:20:10"};
        Run run = cli(sweep + QStringList{"--csv", csv, "--xlsx", xlsx, "--plot", svg});
        QVERIFY2(run.status == 0 && run.out.isEmpty(), qPrintable(run.err + run.out));
        QCOMPARE(run.err, QString());
        const Run table = cli(sweep + QStringList{"--csv", "-"});
        QCOMPARE(QString::fromUtf8(fileBytes(csv)), table.out);
        QVERIFY(fileBytes(xlsx).startsWith("PK"));
        // The axes titled with the parameter's name and unit, the result's name and unit; a curve per speed.
        const QString chart = QString::fromUtf8(fileBytes(svg));
        for (const char* text : {"Launch angle alpha [°]", "R [m]", "v = 10 [m/s]", "v = 20 [m/s]"})
            QVERIFY2(chart.contains(QString::fromUtf8(text)), text);

        run = cli({"sweep", "QuadraticRoot", "c=0:4:0.25", "--plot", png});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(!QImage(png).isNull());
    }

    // Export, then import into an empty library: list, show and eval of the copy agree with the
    // original's, and the catalogs' variables came along.
    void exportImportRoundTrip()
    {
        const QString file = dir_.filePath("mechanics.json");
        QCOMPARE(cli({"export", "mechanics", file}).status, 0);
        const QString copy = dir_.filePath("copy");
        createLibraryFile(copy);
        const Run imported = cli({"import", file}, copy);
        QVERIFY2(imported.status == 0, qPrintable(imported.err));

        const Run list = cli({"list", "Mechanics"});
        QCOMPARE(cli({"list"}, copy).out, list.out);
        const QStringList items = list.out.split('\n', Qt::SkipEmptyParts);
        int formulas = 0;
        for (QString item : items) {
            item = item.trimmed();
            if (item.endsWith('/'))
                continue;
            ++formulas;
            QCOMPARE(cli({"show", item}, copy).out, cli({"show", item}).out);
            QCOMPARE(cli({"eval", item, "--json"}, copy).out, cli({"eval", item, "--json"}).out);
        }
        QCOMPARE(formulas, 7);
        QCOMPARE(catalogVariables(copy, {"Mechanics", "Beams"}), catalogVariables(sample_, {"Mechanics", "Beams"}));
        QVERIFY(!catalogVariables(copy, {"Mechanics"}).isEmpty());

        // Again, inside a catalog of the copy, under other names.
        QString json = QString::fromUtf8(fileBytes(file));
        json.replace("\"Mechanics\"", "\"Mechanics2\"").replace("\"Beams\"", "\"Beams2\"");
        for (const QString& item : items)
            json.replace('"' + item.trimmed() + '"', '"' + item.trimmed() + "2\"");
        QVERIFY(writeText(dir_.filePath("renamed.json"), json));
        QCOMPARE(cli({"import", dir_.filePath("renamed.json"), "--into", "beams"}, copy).status, 0);
        QCOMPARE(cli({"list", "Beams"}, copy).out.count('\n'), 5 + items.size());
        QCOMPARE(cli({"eval", "TorquePower2"}, copy).out, cli({"eval", "TorquePower"}).out);
    }

    // One name taken is enough to refuse the whole file; every clash is named; nothing is written.
    void importClashesWriteNothing()
    {
        const QString file = dir_.filePath("fluids.json");
        QCOMPARE(cli({"export", "Fluids", file}).status, 0);
        QString json = QString::fromUtf8(fileBytes(file));
        json.replace("\"Fluids\"", "\"Liquids\"").replace("\"ReynoldsNumber\"", "\"Reynolds\"")
            .replace("\"PipePressureDrop\"", "\"ParaResult\"");
        QVERIFY(writeText(file, json));

        const QByteArray before = fileBytes(Store::filePath(sample_));
        const Run run = cli({"import", file});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("3 name(s)") && run.err.contains("ParaResult is a table of the library")
                     && run.err.contains("HydrostaticPressure is in use") && run.err.contains("Broken is in use"),
                 qPrintable(run.err));
        QCOMPARE(fileBytes(Store::filePath(sample_)), before);
        QCOMPARE(cli({"list", "Liquids"}).status, 1);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
