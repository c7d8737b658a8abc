#include "libraryfile.h"
#include "samplelibrary.h"

#include "mainwindow/catalogs.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/tablename.h"

#include <muParser.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

QString text(const QSqlRecord& row, const char* column)
{
    return row.value(QLatin1String(column)).toString();
}

// A symbol as the grid and the engine take it; the column holds 20 characters.
bool isSymbol(const QString& symbol)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,19}$"));
    return pattern.match(symbol).hasMatch();
}

// Catalog and formula names become table names; the dialogs take letters and digits.
bool isItemName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9]*$"));
    return pattern.match(name).hasMatch();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& arguments, const QString& workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(CALCORA_INITDB), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class SampleLibraryTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir sampleDir_;
    std::unique_ptr<Store> sample_;
    Rows tree_;  // CataConstruct of the filled library, in creation order

    Rows rowsWithFlag(int flag) const
    {
        Rows rows;
        std::copy_if(tree_.cbegin(), tree_.cend(), std::back_inserter(rows),
                     [flag](const QSqlRecord& row) { return row.value(QStringLiteral("flag")).toInt() == flag; });
        return rows;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sampleDir_.isValid());
        Store::createLibrary(sampleDir_.path());
        sample_ = std::make_unique<Store>(sampleDir_.path());
        fillSampleLibrary(*sample_);
        tree_ = sample_->query(QStringLiteral("select * from CataConstruct order by ID"));
    }

    void cleanupTestCase()
    {
        sample_.reset();
    }

    // Walked in creation order, as the tree loads it: a parent must already be there.
    void treeIsWellFormed()
    {
        QSet<QString> catalogsSoFar;
        QSet<QString> names;
        int nestedCatalogs = 0;
        int rootFormulas = 0;
        for (const QSqlRecord& row : std::as_const(tree_)) {
            const QString caption = text(row, "caption");
            const bool isCatalog = row.value(QStringLiteral("flag")).toInt() == 1;
            QVERIFY2(isItemName(caption) && isUsableTableName(caption), qPrintable(caption));
            QVERIFY2(caption.compare(Catalogs::RootKey, Qt::CaseInsensitive) != 0, qPrintable(caption));
            QVERIFY2(!names.contains(caption.toLower()), qPrintable(caption + " is used twice"));
            names.insert(caption.toLower());
            QCOMPARE(text(row, "indtable"), caption);
            if (isCatalog)
                QCOMPARE(Catalogs::checkInput(caption, text(row, "descr")), Catalogs::Problem::None);

            const QString parent = text(row, "belongto");
            const bool topLevel = parent == caption;
            QVERIFY2(topLevel || catalogsSoFar.contains(parent), qPrintable(caption + " belongs to " + parent));
            QCOMPARE(row.value(QStringLiteral("isroot")).toInt(), topLevel ? 1 : 0);
            rootFormulas += topLevel && !isCatalog ? 1 : 0;
            nestedCatalogs += !topLevel && isCatalog ? 1 : 0;
            if (isCatalog)
                catalogsSoFar.insert(caption);
        }
        QVERIFY(catalogsSoFar.size() >= 4);
        QVERIFY(nestedCatalogs >= 1);
        QVERIFY(rootFormulas >= 2 && rootFormulas <= 3);
    }

    void formulaTablesAreComplete()
    {
        const Rows formulas = rowsWithFlag(0);
        QVERIFY(formulas.size() >= 14);
        QSet<int> parameterCounts;
        for (const QSqlRecord& node : formulas) {
            const QString caption = text(node, "caption");
            const QString table = text(node, "indtable");
            const Rows own = sample_->query(QStringLiteral("select * from ") + table + QStringLiteral(" where ispara=0"));
            QCOMPARE(own.size(), 1);
            QCOMPARE(text(own.constFirst(), "name"), caption);
            QCOMPARE(text(own.constFirst(), "calcount"), QStringLiteral("0"));
            const int precision = own.constFirst().value(QStringLiteral("preci")).toInt();
            QVERIFY2(precision >= 1 && precision <= 8, qPrintable(caption));
            QVERIFY2(isSymbol(text(own.constFirst(), "varname")), qPrintable(caption));

            const Rows parameters = sample_->query(QStringLiteral("select * from ") + table
                                                   + QStringLiteral(" where ispara=1"));
            QVERIFY2(parameters.size() >= 1 && parameters.size() <= 7, qPrintable(caption));
            QSet<QString> symbols;
            for (const QSqlRecord& parameter : parameters) {
                const QString symbol = text(parameter, "varname");
                QVERIFY2(isSymbol(symbol) && !symbols.contains(symbol), qPrintable(caption + ": " + symbol));
                symbols.insert(symbol);
            }
            parameterCounts.insert(int(parameters.size()));
        }
        QVERIFY(parameterCounts.contains(2));
        QVERIFY(parameterCounts.contains(7));
    }

    // Every formula must compute with its stored defaults, in the engine's language, and use
    // exactly its parameters: the program does not analyse expressions.
    void formulaComputesWithDefaults_data()
    {
        QTest::addColumn<QString>("table");
        for (const QSqlRecord& node : rowsWithFlag(0))
            QTest::newRow(qPrintable(text(node, "caption"))) << text(node, "indtable");
    }

    void formulaComputesWithDefaults()
    {
        QFETCH(QString, table);
        const auto formula = sample_->first(QStringLiteral("select * from ") + table + QStringLiteral(" where ispara=0"));
        QVERIFY(formula);
        const Rows parameters = sample_->query(QStringLiteral("select * from ") + table + QStringLiteral(" where ispara=1"));

        std::vector<double> values(size_t(parameters.size()));  // the parser keeps their addresses
        QStringList symbols;
        mu::Parser parser;
        try {
            for (qsizetype i = 0; i < parameters.size(); ++i) {
                values[size_t(i)] = parameters[i].value(QStringLiteral("defvalue")).toDouble();
                symbols << text(parameters[i], "varname");
                parser.DefineVar(symbols.constLast().toStdString(), &values[size_t(i)]);
            }
            parser.SetExpr(text(*formula, "expression").toStdString());
            const double result = parser.Eval();
            QVERIFY2(std::isfinite(result), qPrintable(QString::number(result)));

            QStringList used;
            for (const auto& variable : parser.GetUsedVar())
                used << QString::fromStdString(variable.first);
            used.sort();
            symbols.sort();
            QCOMPARE(used, symbols);
        } catch (const mu::ParserError& error) {
            QFAIL(error.GetMsg().c_str());
        }
    }

    void variablesAreInScope()
    {
        // Symbols per table; the root's table is GlobalVariant.
        QHash<QString, QString> parentOf;
        QHash<QString, QSet<QString>> symbolsOf;
        QList<std::pair<QString, QString>> tables{{QStringLiteral("GlobalVariant"), QStringLiteral("GlobalVariant")}};
        for (const QSqlRecord& catalog : rowsWithFlag(1)) {
            parentOf.insert(text(catalog, "caption"), text(catalog, "belongto"));
            tables.append({text(catalog, "caption"), text(catalog, "indtable")});
        }
        for (const auto& [owner, table] : std::as_const(tables)) {
            for (const QSqlRecord& row : sample_->query(QStringLiteral("select * from ") + table)) {
                const QString symbol = text(row, "varname");
                QVERIFY2(isSymbol(symbol) && !symbolsOf[owner].contains(symbol), qPrintable(owner + ": " + symbol));
                symbolsOf[owner].insert(symbol);
            }
        }
        QVERIFY(symbolsOf.contains(QStringLiteral("GlobalVariant")));
        QVERIFY(symbolsOf.size() >= 3);  // globals and at least two catalogs

        // The variable dialog refuses a symbol that the root or a catalog above already has.
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            for (const QString& symbol : symbolsOf.value(it.key())) {
                QVERIFY2(!symbolsOf.value(QStringLiteral("GlobalVariant")).contains(symbol), qPrintable(symbol));
                for (QString catalog = it.key(); parentOf.value(catalog) != catalog;) {
                    catalog = parentOf.value(catalog);
                    QVERIFY2(!symbolsOf.value(catalog).contains(symbol), qPrintable(it.key() + ": " + symbol));
                }
            }
        }
    }

    void fillWritesAllOrNothing()
    {
        QTemporaryDir dir;
        Store::createLibrary(dir.path());
        Store store(dir.path());
        // The table of the last item the sample creates is taken, so its very last step fails.
        store.execute(Schema::formulaTable(text(tree_.constLast(), "caption")));

        QVERIFY_THROWS_EXCEPTION(StoreError, fillSampleLibrary(store));
        QVERIFY(store.query(QStringLiteral("select * from CataConstruct")).isEmpty());
        QVERIFY(store.query(QStringLiteral("select * from GlobalVariant")).isEmpty());
        QVERIFY(!store.tableExists(text(tree_.constFirst(), "caption")));
    }

    void failedFillLeavesNoFile_data()
    {
        QTest::addColumn<bool>("writeFirst");
        QTest::newRow("fails before writing") << false;
        QTest::newRow("fails after writing") << true;
    }

    void failedFillLeavesNoFile()
    {
        QFETCH(bool, writeFirst);
        QTemporaryDir dir;
        const QString library = dir.filePath(QStringLiteral("library"));
        const auto fill = [writeFirst](Store& store) {
            if (writeFirst)
                fillSampleLibrary(store);
            throw StoreError(QStringLiteral("fill"), QStringLiteral("refused"));
        };
        QVERIFY_THROWS_EXCEPTION(StoreError, createLibraryFile(library, fill));
        QVERIFY(!QFileInfo::exists(Store::filePath(library)));
    }

    void toolRefusesExistingFile_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("library");
        QTest::newRow("other file") << QStringList() << false;
        QTest::newRow("other file, sample") << QStringList{QStringLiteral("--sample")} << false;
        QTest::newRow("empty library, sample") << QStringList{QStringLiteral("--sample")} << true;
    }

    void toolRefusesExistingFile()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, library);
        QTemporaryDir dir;
        const QString path = Store::filePath(dir.path());
        if (library) {
            Store::createLibrary(dir.path());
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a formula library\n");
        }
        const QByteArray before = fileBytes(path);

        const ToolRun run = runTool(options << dir.path(), dir.path());
        QVERIFY(run.exitCode != 0);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("caldb.mdb")});
    }

    void toolCreatesLibrary_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("subdirectory");
        QTest::addColumn<bool>("filled");
        QTest::newRow("existing directory") << QStringList() << QString() << false;
        QTest::newRow("missing directories") << QStringList() << QStringLiteral("a/b/c") << false;
        QTest::newRow("sample, missing directory") << QStringList{QStringLiteral("--sample")}
                                                   << QStringLiteral("new") << true;
    }

    void toolCreatesLibrary()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, subdirectory);
        QFETCH(bool, filled);
        QTemporaryDir dir;
        const QString target = subdirectory.isEmpty() ? dir.path() : dir.filePath(subdirectory);

        const ToolRun run = runTool(options << target, dir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        Store store(target);  // opens only a file that holds the fixed tables
        QCOMPARE(!store.query(QStringLiteral("select * from CataConstruct")).isEmpty(), filled);
    }

    void toolRejectsBadArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no arguments") << QStringList();
        QTest::newRow("two directories") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate"), QStringLiteral("a")};
        QTest::newRow("sample without directory") << QStringList{QStringLiteral("--sample")};
        QTest::newRow("empty directory") << QStringList{QString()};
    }

    void toolRejectsBadArguments()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        const ToolRun run = runTool(arguments, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QLatin1String("Usage:")), qPrintable(run.err));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void toolHelp()
    {
        QTemporaryDir dir;
        const ToolRun run = runTool({QStringLiteral("--help")}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QLatin1String("Usage:")));
        QVERIFY(run.out.contains(QLatin1String("--sample")));
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(SampleLibraryTest)
#include "samplelibrary_test.moc"
