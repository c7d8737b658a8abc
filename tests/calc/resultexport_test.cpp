// Exports cut short by the user: whatever stood where the export was going stays as it was,
// and nothing that looks like an export is left.
#include "calc/computation.h"
#include "calc/resulttext.h"
#include "calc/resultworkbook.h"
#include "libraryfixture.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTime>

class ResultExportTest : public QObject
{
    Q_OBJECT

private slots:
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
        LibraryFixture library;
        const QList<GridParameter> parameters{{"Resistance", "R", "220", "220", "Ω"}, {"Current", "I", "0.05", "0.05", "A"}};
        QList<ResultRow> rows;
        for (int i = 0; i < 3; ++i)
            rows << *Computation::record(library.store(), "OhmsLaw", parameters, 11, QTime(9, 30));
        QTemporaryDir out;
        const QString existing = out.filePath("results.txt");
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept") == 4);
        file.close();

        QStringList reported;
        const ExportProgress progress = [&](int done, int total) {
            reported << QString("%1/%2").arg(done).arg(total);
            return done < cancelAt;
        };
        ExportSource source(library.store(), rows);
        const ExportTexts texts{"Formula Name", "Result", "Result", "Expression:", "Parameter Information",
                                "Computation(s)", "Time"};
        const ExportOutcome outcome = workbook ? ResultWorkbook::make(source, texts, out.path(), progress)
                                               : ResultText::write(source, texts, existing, progress);
        QCOMPARE(outcome.kind, ExportOutcome::Kind::Cancelled);
        QCOMPARE(reported.size(), cancelAt + 1);
        QCOMPARE(reported.constLast(), QString("%1/3").arg(cancelAt));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"results.txt"});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "kept");
    }
};

QTEST_MAIN(ResultExportTest)
#include "resultexport_test.moc"
