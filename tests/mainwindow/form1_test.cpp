#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "store/store.h"

#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

class Form1Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Controls stand where the window was designed, in pixels (15 twips each).
    void controlsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Tvwmain") << "Tvwmain" << QRect(8, 48, 177, 289) << true;
        QTest::newRow("Text4") << "Text4" << QRect(8, 336, 177, 97) << true;
        QTest::newRow("MSFlexGrid1") << "MSFlexGrid1" << QRect(192, 144, 241, 121) << true;
        QTest::newRow("Command1") << "Command1" << QRect(368, 272, 65, 25) << false;
        QTest::newRow("ListView1") << "ListView1" << QRect(192, 304, 241, 129) << true;
        QTest::newRow("Command3") << "Command3" << QRect(48, 0, 25, 17) << false;
        QTest::newRow("StatusLine") << "StatusLine" << QRect(8, 440, 425, 17) << true;
    }
    void controlsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        LibraryFixture library;
        form1& window = library.openWindow();
        QCOMPARE(window.windowTitle(), "Calcora");
        QCOMPARE(window.size(), QSize(441, 460));
        auto* control = window.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->isVisible(), visible);
        VERIFY_NO_SURPRISES(library);
    }

    void startupShowsTheLibrary()
    {
        LibraryFixture library;
        form1& window = library.openWindow();

        auto* tree = window.findChild<QTreeWidget*>("Tvwmain");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), "Formula Root");
        // Every row sits under the node its belongto names, or under the root, and nothing else
        // is in the tree.
        for (const QSqlRecord& row : library.store().query("select * from CataConstruct")) {
            QTreeWidgetItem* node = window.tree().find(row.value("caption").toString());
            QVERIFY(node);
            const QString belongto = row.value("belongto").toString();
            QCOMPARE(FormulaTree::key(node->parent()),
                     belongto == row.value("caption").toString() ? ItemName::RootKey : belongto);
        }
        int nodes = 0;
        for (QTreeWidgetItemIterator it(root); *it; ++it)
            ++nodes;
        QCOMPARE(nodes - 1, library.store().query("select * from CataConstruct").size());

        auto* grid = window.findChild<QTableWidget*>("MSFlexGrid1");
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(grid->columnCount(), 5);
        const QStringList header{"Name", "Symbol", "Input", "Default", "Unit"};
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(grid->item(0, column)->text(), header.at(column));
            for (int row = 1; row < 6; ++row)
                QVERIFY(!grid->item(row, column) || grid->item(row, column)->text().isEmpty());
        }
        auto* results = window.findChild<QTreeWidget*>("ListView1");
        QCOMPARE(results->headerItem()->text(5), "Computation(s)");
        QCOMPARE(results->columnWidth(0), int(241 / 2.5));
        QCOMPARE(window.findChild<QTreeWidget*>("ListView2")->headerItem()->text(0), "Variant Symbo");

        for (const char* entry : {"Rmodvar", "Rdelvar", "Rdelallvar", "mnewcataroot", "mnewfunroot", "mdefvarroot",
                                  "mdelallfunroot", "delres", "delallres"})
            QVERIFY2(!window.findChild<QAction*>(entry)->isEnabled(), entry);
        QVERIFY(!window.findChild<QMenu*>("Routresult")->menuAction()->isEnabled());
        QVERIFY(window.findChild<QAction*>("mnewcata")->isEnabled());
        QVERIFY(!window.findChild<QWidget*>("menuBar")->isVisible());
        QCOMPARE(window.findChild<QLabel*>("Label42")->text(), "Please add the formula name! ");
        const auto* saveDialog = window.findChild<CommonDialog*>("cd1");
        QCOMPARE(CommonDialog::dialogFilter(saveDialog->filter()), "Textfiles(*.txt) (*.txt)");
        QCOMPARE(CommonDialog::dialogFilter("Text|*.txt|All|*.txt;*.csv"), "Text (*.txt);;All (*.txt *.csv)");
        VERIFY_NO_SURPRISES(library);
    }

    void emptyLibraryShowsTheRootAlone()
    {
        LibraryFixture library(LibraryFixture::Contents::Empty);
        form1& window = library.openWindow();
        QCOMPARE(window.tree().root()->childCount(), 0);
        library.closeWindow();
        QVERIFY(library.store().query("select * from ParaResult").isEmpty());
        VERIFY_NO_SURPRISES(library);
    }

    // Closing the window forgets the run's history and sets every counter back to '0'.
    void closingResetsTheHistory()
    {
        LibraryFixture library;
        library.openWindow();
        Store& store = library.store();
        for (const QSqlRecord& formula : store.query("select * from CataConstruct where flag= 0 ")) {
            const QString table = formula.value("indtable").toString();
            store.execute("update " + table + " set calcount='7' where ispara = 0");
            store.execute("insert into  ParaResult(Fmuname,name,paraname,paravalue,unit,Hisid,defparavalue) values ('"
                          + table + "','x','x','1','m','7','1')");
        }
        library.closeWindow();
        QVERIFY(store.query("select * from ParaResult").isEmpty());
        for (const QSqlRecord& formula : store.query("select * from CataConstruct where flag= 0 ")) {
            const auto row = store.first("select * from " + formula.value("indtable").toString() + " where ispara=0 ");
            QCOMPARE(row->value("calcount").toString(), "0");
        }
        VERIFY_NO_SURPRISES(library);
    }

    // Resizing keeps the controls in proportion and returns them exactly.
    void resizeScalesControls()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        auto* tree = window.findChild<QWidget*>("Tvwmain");
        const QRect designed = tree->geometry();
        window.resize(441 * 2, 460 * 2);
        QTRY_COMPARE(tree->geometry(), QRect(designed.x() * 2, designed.y() * 2, designed.width() * 2, designed.height() * 2));
        window.resize(441, 460);
        QTRY_COMPARE(tree->geometry(), designed);
        QVERIFY(!window.findChild<QWidget*>("Command3")->isVisible());
        VERIFY_NO_SURPRISES(library);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
