#include "calc/calcengine.h"
#include "calc/parameterstring.h"
#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString text(const QSqlRecord& row, const char* column)
{
    return row.value(QLatin1String(column)).toString();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class SampleLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void toolRun_data()
    {
        QTest::addColumn<QStringList>("arguments");  // DIR stands for an empty directory
        QTest::addColumn<bool>("existingFile");
        QTest::addColumn<int>("exitCode");

        QTest::newRow("refuses an existing file") << QStringList{"--sample", "DIR"} << true << 1;
        QTest::newRow("creates missing directories") << QStringList{"--sample", "DIR/a/b"} << false << 0;
        QTest::newRow("no directory") << QStringList{"--sample"} << false << 2;
        QTest::newRow("unknown option") << QStringList{"--frobnicate", "a"} << false << 2;
    }

    // A new sample library: every formula computes with its stored defaults, as Calculate would.
    void toolRun()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, existingFile);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString path = Store::filePath(dir.path());
        const QByteArray junk("not a formula library\n");
        if (existingFile) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(junk) == junk.size());
        }
        arguments.replaceInStrings(QStringLiteral("DIR"), dir.path());

        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(CALCORA_INITDB), arguments);
        QVERIFY(tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(tool.exitCode() == exitCode, qPrintable(err));
        QCOMPARE(err.isEmpty(), exitCode == 0);

        if (existingFile) {
            QCOMPARE(fileBytes(path), junk);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("caldb.mdb")});
        } else if (exitCode == 0) {
            Store store(arguments.constLast());  // opens only a file that holds the fixed tables
            const Rows formulas = store.query(QStringLiteral("select * from CataConstruct where flag=0"));
            QVERIFY(!formulas.isEmpty());
            for (const QSqlRecord& node : formulas) {
                const QString table = text(node, "indtable");
                const Rows formula = store.query("select * from " + table + " where ispara=0");
                QCOMPARE(formula.size(), 1);
                QList<ParameterString::Pair> pairs;
                for (const QSqlRecord& parameter : store.query("select * from " + table + " where ispara=1"))
                    pairs.append({text(parameter, "varname"), text(parameter, "defvalue")});
                CalcEngine engine;
                double result = 0;
                int error = 0;
                engine.Evaluate(text(formula.constFirst(), "expression"),
                                ParameterString::build(pairs).value_or(QString()), result, error);
                QVERIFY2(error == 0, qPrintable(table + ": " + engine.errorMessage()));
            }
        } else {
            QVERIFY2(err.contains(QLatin1String("Usage:")), qPrintable(err));
            QVERIFY(QDir(dir.path()).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(SampleLibraryTest)
#include "samplelibrary_test.moc"
