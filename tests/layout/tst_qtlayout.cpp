#include "layout/commondialog.h"
#include "layout/module1.h"
#include "layout/qtlayout.h"
#include "layout/userdialogs.h"

#include <QDialog>
#include <QTest>

class TestQtLayout : public QObject
{
    Q_OBJECT

private slots:
    // Controls scale in whole percent of the designed size, truncated; a parked control stays
    // parked, a child window is no control, and after any resizes the designed size restores all.
    void scalesFromTheDesignedGeometry()
    {
        constexpr int parked = -Module1::ParkingOffset;
        QWidget window;
        window.setObjectName("form1");
        const QList<QRect> designed{{1015, 400, 3000, 300}, {720 + parked, 0, 375, 255}};
        QList<QWidget*> controls;
        for (const QRect& rect : designed) {
            controls << new QWidget(&window);
            controls.constLast()->setObjectName(QStringLiteral("control%1").arg(controls.size()));
            controls.constLast()->setGeometry(rect);
        }
        auto* dialog = new QDialog(&window);
        dialog->setObjectName("dialog");
        dialog->setGeometry(50, 60, 70, 80);

        Module1 layouts;
        const auto resizeTo = [&](int width, int height) {
            window.resize(width, height);
            resizeAllControls(layouts, window);
        };
        resizeTo(3000, 3000);
        resizeTo(1000, 2000); // 33 % wide, 66 % high
        QCOMPARE(controls[0]->geometry(), QRect(334, 264, 990, 198));
        QCOMPARE(controls[1]->geometry(), QRect(237 + parked, 0, 123, 168));
        QCOMPARE(dialog->geometry(), QRect(50, 60, 70, 80));

        for (const QSize size : {QSize(7, 3), QSize(1, 1), QSize(2999, 3001), QSize(4137, 2251)})
            resizeTo(size.width(), size.height());
        resizeTo(3000, 3000);
        for (int i = 0; i < designed.size(); ++i)
            QCOMPARE(controls[i]->geometry(), designed[i]);
    }

    // A name typed into the save dialog without a suffix gets the filter's first one; one with a
    // suffix of its own keeps it. (A cancelled dialog: the result list's export test.)
    void saveDialogAddsTheSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no suffix") << "results" << "results.txt";
        QTest::newRow("a suffix of its own") << "results.csv" << "results.csv";
        QTest::newRow("a dot only in the folder's name") << "run.1/results" << "run.1/results.txt";
        QTest::newRow("a name ending in a dot") << "results." << "results.txt";
    }
    void saveDialogAddsTheSuffix()
    {
        struct Typed final : UserDialogs
        {
            QString path;
            int msgBox(QWidget*, const QString&, int, const QString&) override { return MsgAnswer::Ok; }
            QString saveFileName(QWidget*, const QString&) override { return path; }
            QString openFileName(QWidget*, const QString&) override { return {}; }
            QString inputText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        } dialogs;
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        dialogs.path = typed;
        QCOMPARE(CommonDialog("cd1", "Textfiles(*.txt)|*.txt", nullptr).showSave(dialogs, nullptr), saved);
    }
};

QTEST_MAIN(TestQtLayout)
#include "tst_qtlayout.moc"
