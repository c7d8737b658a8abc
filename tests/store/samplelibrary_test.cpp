#include "samplelibrary.h"

#include "calc/calcengine.h"
#include "calc/parameterstring.h"
#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>
#include <vector>

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

private:
    QTemporaryDir sampleDir_;
    std::unique_ptr<Store> sample_;
    Rows tree_;  // CataConstruct of the filled library, in creation order

    Rows rows(const QString& table, const char* condition = "")
    {
        return sample_->query(QStringLiteral("select * from ") + table + QLatin1String(condition));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sampleDir_.isValid());
        Store::createLibrary(sampleDir_.path());
        sample_ = std::make_unique<Store>(sampleDir_.path());
        fillSampleLibrary(*sample_);
        tree_ = rows(QStringLiteral("CataConstruct"), " order by ID");
    }

    void cleanupTestCase() { sample_.reset(); }

    // Walked in creation order, as the tree loads it: a parent must already be there.
    void libraryHasItsShape()
    {
        QSet<QString> catalogs;
        QSet<qsizetype> parameterCounts;
        int nestedCatalogs = 0;
        int rootFormulas = 0;
        for (const QSqlRecord& node : std::as_const(tree_)) {
            const QString caption = text(node, "caption");
            const QString parent = text(node, "belongto");
            const bool topLevel = parent == caption;
            QVERIFY2(topLevel || catalogs.contains(parent), qPrintable(caption + " belongs to " + parent));
            QCOMPARE(node.value(QStringLiteral("isroot")).toInt(), topLevel ? 1 : 0);
            if (node.value(QStringLiteral("flag")).toInt() == 1) {
                catalogs.insert(caption);
                nestedCatalogs += topLevel ? 0 : 1;
                continue;
            }
            rootFormulas += topLevel ? 1 : 0;
            const Rows own = rows(text(node, "indtable"), " where ispara=0");
            QCOMPARE(own.size(), 1);
            QCOMPARE(text(own.constFirst(), "calcount"), QStringLiteral("0"));
            const int precision = own.constFirst().value(QStringLiteral("preci")).toInt();
            QVERIFY2(precision >= 1 && precision <= 8, qPrintable(caption));
            parameterCounts.insert(rows(text(node, "indtable"), " where ispara=1").size());
        }
        QVERIFY(catalogs.size() >= 4);
        QVERIFY(nestedCatalogs >= 1);
        QVERIFY(rootFormulas >= 2);
        QVERIFY(parameterCounts.contains(2) && parameterCounts.contains(7));
        QVERIFY(!rows(QStringLiteral("GlobalVariant")).isEmpty());
    }

    // Every formula computes with its stored defaults, as Calculate would.
    void formulaComputesWithDefaults_data()
    {
        QTest::addColumn<QString>("table");
        for (const QSqlRecord& node : std::as_const(tree_)) {
            if (node.value(QStringLiteral("flag")).toInt() == 0)
                QTest::newRow(qPrintable(text(node, "caption"))) << text(node, "indtable");
        }
    }

    void formulaComputesWithDefaults()
    {
        QFETCH(QString, table);
        const Rows formula = rows(table, " where ispara=0");
        QCOMPARE(formula.size(), 1);
        QList<ParameterString::Pair> pairs;
        for (const QSqlRecord& parameter : rows(table, " where ispara=1"))
            pairs.append({text(parameter, "varname"), text(parameter, "defvalue")});
        CalcEngine engine;
        double result = 0;
        int error = 0;
        engine.Evaluate(text(formula.constFirst(), "expression"), ParameterString::build(pairs).value_or(QString()), result,
                        error);
        QVERIFY2(error == 0, qPrintable(engine.errorMessage()));
    }

    void toolRun_data()
    {
        QTest::addColumn<QStringList>("arguments");  // DIR stands for an empty directory
        QTest::addColumn<bool>("existingFile");
        QTest::addColumn<int>("exitCode");

        QTest::newRow("refuses an existing file") << QStringList{"--sample", "DIR"} << true << 1;
        QTest::newRow("creates missing directories") << QStringList{"--sample", "DIR/a/b"} << false << 0;
        QTest::newRow("no directory") << QStringList{"--sample"} << false << 2;
        QTest::newRow("two directories") << QStringList{"a", "b"} << false << 2;
        QTest::newRow("unknown option") << QStringList{"--frobnicate", "a"} << false << 2;
        QTest::newRow("empty directory") << QStringList{QString()} << false << 2;
    }

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
            QVERIFY(!store.query(QStringLiteral("select * from CataConstruct")).isEmpty());
        } else {
            QVERIFY2(err.contains(QLatin1String("Usage:")), qPrintable(err));
            QVERIFY(QDir(dir.path()).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(SampleLibraryTest)
#include "samplelibrary_test.moc"
