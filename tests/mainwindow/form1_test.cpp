#include "librarytest.h"
#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "store/store.h"

#include <QMenu>
#include <QTest>
#include <QTreeWidget>

class Form1Test : public LibraryTest
{
    Q_OBJECT

private slots:
    void startupShowsTheLibrary()
    {
        form1& window = library().openWindow();
        QTreeWidget& tree = *window.controls().Tvwmain;
        QCOMPARE(tree.topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree.topLevelItem(0);
        // Every row sits under the node its belongto names, or under the root, and nothing else
        // is in the tree.
        const Rows rows = library().store().query("select * from CataConstruct");
        for (const QSqlRecord& row : rows) {
            QTreeWidgetItem* node = window.tree().find(row.value("caption").toString());
            QVERIFY(node);
            const QString belongto = row.value("belongto").toString();
            QCOMPARE(FormulaTree::key(node->parent()),
                     belongto == row.value("caption").toString() ? ItemName::RootKey : belongto);
        }
        int nodes = 0;
        for (QTreeWidgetItemIterator it(root); *it; ++it)
            ++nodes;
        QCOMPARE(nodes - 1, rows.size());

        // Nothing is selected yet, so nothing that acts on a selection is offered.
        for (const char* entry : {"Rmodvar", "Rdelvar", "Rdelallvar", "mnewcataroot", "mnewfunroot", "mdefvarroot",
                                  "mdelallfunroot", "delres", "delallres"})
            QVERIFY2(!window.findChild<QAction*>(entry)->isEnabled(), entry);
        QVERIFY(!window.findChild<QMenu*>("Routresult")->menuAction()->isEnabled());
        QCOMPARE(CommonDialog::dialogFilter("Text|*.txt|All|*.txt;*.csv"), "Text (*.txt);;All (*.txt *.csv)");
    }

    // Closing the window forgets the run's history and sets every counter back to '0'.
    void closingResetsTheHistory()
    {
        library().openWindow();
        Store& store = library().store();
        const QString formulas = "select * from CataConstruct where flag= 0 ";
        for (const QSqlRecord& formula : store.query(formulas)) {
            const QString table = formula.value("indtable").toString();
            store.execute("update " + table + " set calcount='7' where ispara = 0");
            store.execute("insert into  ParaResult(Fmuname,name,paraname,paravalue,unit,Hisid,defparavalue) values ('"
                          + table + "','x','x','1','m','7','1')");
        }
        library().closeWindow();
        QVERIFY(store.query("select * from ParaResult").isEmpty());
        for (const QSqlRecord& formula : store.query(formulas)) {
            const auto row = store.first("select * from " + formula.value("indtable").toString() + " where ispara=0 ");
            QCOMPARE(row->value("calcount").toString(), "0");
        }
    }

    // Resizing keeps the controls in proportion and returns them exactly.
    void resizeScalesControls()
    {
        form1& window = library().openWindow();
        QWidget* tree = window.controls().Tvwmain;
        const QRect designed = tree->geometry();
        const QSize size = window.size();
        window.resize(size * 2);
        QTRY_COMPARE(tree->geometry(), QRect(designed.x() * 2, designed.y() * 2, designed.width() * 2, designed.height() * 2));
        window.resize(size);
        QTRY_COMPARE(tree->geometry(), designed);
        QVERIFY(!window.controls().Command3->isVisible());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
