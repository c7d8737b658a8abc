#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/store.h"

#include <QTest>

using namespace GuiDriver;

namespace {

const QString AskDelete = "Do you want to delete?";
const QString AskDeleteAll = "Do you want to delete all the formula(s) and catalog(s)?";

int rowCount(Store& store, const QString& query = "select * from CataConstruct")
{
    return int(store.query(query).size());
}

// Rows of the answer to a confirmation, and whether the Delete key asked instead of the menu.
void answerRows()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("menu, yes") << MsgAnswer::Yes << false;
    QTest::newRow("menu, no") << MsgAnswer::No << false;
    QTest::newRow("delete key, yes") << MsgAnswer::Yes << true;
}

void addResult(form1& window, const QString& formula)
{
    new QTreeWidgetItem(window.controls().ListView1, QStringList{formula, "f", "1.00", "m", "1:00:00", "1"});
}

} // namespace

class DeletionsTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // Yes removes node, row and table, and the formula's results, and leaves no node
    // highlighted for Calculate to file a result under; No changes nothing.
    void deleteFormula_data() { answerRows(); }
    void deleteFormula()
    {
        QFETCH(int, answer);
        QFETCH(bool, byKey);
        form1& window = library().openWindow();
        Store& store = library().store();
        const int rows = rowCount(store);
        addResult(window, "OhmsLaw");
        addResult(window, "WireResistance");
        addResult(window, "OhmsLaw");
        clickNode(window, "WireResistance");
        clickNode(window, "OhmsLaw");
        library().dialogs().expectQuestion(AskDelete, answer);
        if (byKey)
            pressDeleteInTree(window);
        else
            trigger(window, "mdelfun");

        const bool deleted = answer == MsgAnswer::Yes;
        QCOMPARE(rowCount(store), deleted ? rows - 1 : rows);
        QCOMPARE(store.tableExists("OhmsLaw"), !deleted);
        QCOMPARE(window.tree().find("OhmsLaw") == nullptr, deleted);
        QCOMPARE(window.controls().ListView1->topLevelItemCount(), deleted ? 1 : 3);
        QCOMPARE(window.controls().ListView1->topLevelItem(deleted ? 0 : 1)->text(0), "WireResistance");
        QCOMPARE(window.controls().Text3->toPlainText().isEmpty(), deleted);
        const QTableWidgetItem* firstParameter = window.controls().MSFlexGrid1->item(1, 0);
        QCOMPARE(!firstParameter || firstParameter->text().isEmpty(), deleted);
        QCOMPARE(window.controls().MSFlexGrid1->item(0, 2)->text(), "Input");
        if (deleted) {
            QVERIFY(!window.controls().Tvwmain->currentItem());
            QVERIFY(window.controls().Tvwmain->selectedItems().isEmpty());
            library().dialogs().expectMessage("Please choose the formula");
            window.controls().Command1->click();
            QCOMPARE(window.controls().ListView1->topLevelItemCount(), 1);
        }
    }

    // A catalog is deleted only when empty; a renamed one drops the table of its first name.
    void deleteCatalogOnlyWhenEmpty()
    {
        form1& window = library().openWindow();
        Store& store = library().store();
        clickNode(window, "Beams");
        answerCatalogDialog("Girders", "");
        trigger(window, "mmodcata");
        const int rows = rowCount(store);

        library().dialogs().expectMessage("Please clear the catalog!");
        trigger(window, "mdelcata");
        QCOMPARE(rowCount(store), rows);

        QTreeWidgetItem* girders = window.tree().find("Girders");
        while (girders->childCount() > 0) {
            clickNode(window, girders->child(0));
            library().dialogs().expectQuestion(AskDelete, MsgAnswer::Yes);
            trigger(window, "mdelfun");
        }
        clickNode(window, "Girders");
        library().dialogs().expectQuestion(AskDelete, MsgAnswer::No);
        trigger(window, "mdelcata");
        QVERIFY(store.tableExists("Beams"));
        library().dialogs().expectQuestion(AskDelete, MsgAnswer::Yes);
        pressDeleteInTree(window);
        QVERIFY(!window.tree().find("Girders"));
        QVERIFY(!store.tableExists("Beams"));
        QVERIFY(!store.first("select * from CataConstruct where caption='Girders'"));
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), 0);
    }

    // A catalog never opened since the start, its nodes not yet made, is no emptier for it:
    // it is refused like any other, and opening it shows every row under it.
    void catalogNeverOpenedIsNotEmpty()
    {
        form1& window = library().openWindow();
        Store& store = library().store();
        QTreeWidgetItem* root = window.tree().root();
        QTreeWidgetItem* mechanics = nullptr;
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->text(0) == "Mechanics")
                mechanics = root->child(i);
        }
        QVERIFY(mechanics && !mechanics->isExpanded());
        clickNode(window, mechanics);
        const int rows = rowCount(store);

        library().dialogs().expectMessage("Please clear the catalog!");
        trigger(window, "mdelcata");
        QCOMPARE(rowCount(store), rows);

        QTest::keyClick(window.controls().Tvwmain, Qt::Key_Right);
        QVERIFY(mechanics->isExpanded());
        QCOMPARE(mechanics->childCount(), rowCount(store, "select * from CataConstruct where belongto='Mechanics' and caption<>'Mechanics'"));
    }

    // Delete All, from the menu or the Delete key on the root, keeps the global variables.
    void deleteAll_data() { answerRows(); }
    void deleteAll()
    {
        QFETCH(int, answer);
        QFETCH(bool, byKey);
        form1& window = library().openWindow();
        Store& store = library().store();
        const int rows = rowCount(store);
        const int globals = rowCount(store, "select * from GlobalVariant");
        clickNode(window, "");
        library().dialogs().expectQuestion(AskDeleteAll, answer);
        if (byKey)
            pressDeleteInTree(window);
        else
            trigger(window, "mdelallfunroot");

        const bool deleted = answer == MsgAnswer::Yes;
        QCOMPARE(rowCount(store), deleted ? 0 : rows);
        QCOMPARE(window.tree().root()->childCount() == 0, deleted);
        QCOMPARE(store.tableExists("Mechanics"), !deleted);
        QCOMPARE(store.tableExists("CompositeWallHeatFlow"), !deleted);
        QCOMPARE(rowCount(store, "select * from GlobalVariant"), globals);
        clickNode(window, "");
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), globals);
        QCOMPARE(library().restart().tree().root()->childCount() == 0, deleted);
    }

    // A formula whose table another tool dropped can still be deleted, and closing the window
    // resets the other counters past it.
    void formulaWithoutItsTable()
    {
        library().openWindow();
        Store& store = library().store();
        store.execute("update KineticEnergy set calcount='4' where ispara=0");
        store.execute("drop table OhmsLaw");
        library().closeWindow();
        QCOMPARE(store.first("select * from KineticEnergy where ispara=0")->value("calcount").toString(), "0");

        form1& again = library().openWindow();
        library().dialogs().expectMessage("The formula's data is missing from the library; it can only be deleted.");
        clickNode(again, "OhmsLaw");
        QVERIFY(again.controls().Text3->toPlainText().isEmpty());
        library().dialogs().expectQuestion(AskDelete, MsgAnswer::Yes);
        trigger(again, "mdelfun");
        QVERIFY(!again.tree().find("OhmsLaw"));
        QVERIFY(!store.first("select * from CataConstruct where caption=?", {"OhmsLaw"}));
    }
};

QTEST_MAIN(DeletionsTest)
#include "deletions_test.moc"
