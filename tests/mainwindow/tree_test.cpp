#include "calc/parametergrid.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "olderlayout.h"
#include "store/store.h"
#include "ui_form1.h"

#include <QMenu>
#include <QTest>

using namespace GuiDriver;

namespace {

const QString AskDelete = "Do you want to delete?";

int rowCount(Store& store, const QString& query = "select * from CataConstruct")
{
    return int(store.query(query).size());
}

} // namespace

class TreeTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // At the start, with nothing selected, nothing that acts on a selection is offered.
    void startupOffersNothingForASelection()
    {
        form1& window = library().openWindow();
        for (const char* entry : {"Rmodvar", "Rdelvar", "Rdelallvar", "mnewcataroot", "mnewfunroot", "mdelallfunroot", "delres"})
            QVERIFY2(!window.findChild<QAction*>(entry)->isEnabled(), entry);
    }

    // The root and a catalog list their variables; a formula shows its expression and a grid of
    // one row per parameter after the header, never fewer than six, Input starting at Default.
    // Each face replaces the one before, a longer grid included.
    void clickShowsTheNodesFace()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        Store& store = library().store();
        for (const QString& caption : QStringList{"CompositeWallHeatFlow", "", "OhmsLaw", "Beams", "PipePressureDrop"}) {
            clickNode(window, caption);
            const bool formula = store.first("select * from CataConstruct where flag=0 and caption=?", {caption}).has_value();
            QCOMPARE(ui.ListView2->isVisible(), !formula);
            for (QWidget* control : std::initializer_list<QWidget*>{ui.Text3, ui.Label4, ui.MSFlexGrid1, ui.Command1})
                QCOMPARE(control->isVisible(), formula);
            QCOMPARE(ui.Label2->text(), formula ? "Expression:" : "Variant List:");
            if (!formula) {
                QStringList symbols;
                for (const QSqlRecord& row : store.query("select * from " + (caption.isEmpty() ? "GlobalVariant" : caption)))
                    symbols << row.value("varname").toString();
                QCOMPARE(columnTexts(*ui.ListView2), symbols);
                QCOMPARE(ui.Rmodvar->isEnabled(), !symbols.isEmpty());
                QCOMPARE(ui.Text4->toPlainText().section('\n', 0, 0), caption);
                for (QAction* entry : {ui.mnewcataroot, ui.mnewfunroot, ui.mdefvarroot, ui.mdelallfunroot})
                    QVERIFY(!caption.isEmpty() || entry->isEnabled());
                continue;
            }
            const Rows parameters = store.query("select * from " + caption + " where ispara=1");
            QCOMPARE(ui.MSFlexGrid1->rowCount(), std::max<int>(6, parameters.size() + 1));
            for (int row = 1; row < ui.MSFlexGrid1->rowCount(); ++row) {
                int c = 0;
                for (const char* field : {"name", "varname", "defvalue", "defvalue", "unit"})
                    QCOMPARE(ParameterGrid::cell(*ui.MSFlexGrid1, row, c++), parameters.value(row - 1).value(field).toString());
            }
            const auto face = store.first("select * from " + caption + " where ispara=0 ");
            QCOMPARE(ui.Text3->toPlainText(), face->value("expression").toString());
            QCOMPARE(ui.Text4->toPlainText(), caption + "\n" + face->value("descr").toString());
        }
    }

    // The right button selects the node and opens the menu that fits it.
    void rightClickOpensTheNodesMenu()
    {
        form1& window = library().openWindow();
        const std::pair<QString, const char*> menus[] = {{"", "mrootedt"}, {"Electrical", "menuedit"}, {"OhmsLaw", "mfunedt"}};
        for (const auto& [caption, menu] : menus) {
            rightClickNode(window, caption);
            auto* popup = window.findChild<QMenu*>(menu);
            QTRY_VERIFY2(popup->isVisible(), menu);
            popup->close();
            QCOMPARE(window.controls().Tvwmain->currentItem(), node(window, caption));
        }
    }

    // The arrow keys show the node they move to, as a click does, so that Calculate files the
    // result under the formula it computed; moving on leaves the results alone.
    void keyboardMovesShowTheNode()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, "OhmsLaw");
        QTreeWidgetItem* ohm = node(window, "OhmsLaw");
        const QString next = ohm->parent()->child(ohm->parent()->indexOfChild(ohm) + 1)->text(0);
        QTest::keyClick(ui.Tvwmain, Qt::Key_Down);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), next);
        Store& store = library().store();
        const auto formula = store.first("select * from " + next + " where ispara=0");
        QCOMPARE(ui.Text3->toPlainText(), formula->value("expression").toString());
        QCOMPARE(ParameterGrid::cell(*ui.MSFlexGrid1, 1, 1), store.first("select * from " + next + " where ispara=1")->value("varname").toString());

        ui.Command1->click();
        QCOMPARE(columnTexts(*ui.ListView1), QStringList{next});
        for (const QSqlRecord& history : store.query("select * from ParaResult"))
            QCOMPARE(history.value("Fmuname").toString(), next);

        QTest::keyClick(ui.Tvwmain, Qt::Key_Up);
        QTest::keyClick(ui.Tvwmain, Qt::Key_Left);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), "Electrical");
        QVERIFY(ui.ListView2->isVisible() && !ui.MSFlexGrid1->isVisible());
        QCOMPARE(columnTexts(*ui.ListView1), QStringList{next});
    }

    // Asked from the menu or the Delete key, Yes removes a formula (node, row, table and its
    // results) or, on the root, everything but the global variables, and leaves nothing
    // highlighted for Calculate to file a result under. No changes nothing, and neither does a
    // Delete All that fails on the way. A library of the older layout, brought to today's when
    // the program starts, says so and works alike.
    void deleteAsked_data()
    {
        QTest::addColumn<QString>("caption"); // empty: Delete All
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("older");
        QTest::newRow("formula, menu, yes") << "OhmsLaw" << MsgAnswer::Yes << false << false << false;
        QTest::newRow("formula, menu, no") << "OhmsLaw" << MsgAnswer::No << false << false << false;
        QTest::newRow("formula, delete key, yes") << "OhmsLaw" << MsgAnswer::Yes << true << false << false;
        QTest::newRow("all, menu, yes") << "" << MsgAnswer::Yes << false << false << false;
        QTest::newRow("all, delete key, no") << "" << MsgAnswer::No << true << false << false;
        QTest::newRow("all, refused at the last statement") << "" << MsgAnswer::Yes << false << true << false;
        QTest::newRow("all, older layout, yes") << "" << MsgAnswer::Yes << false << false << true;
    }
    void deleteAsked()
    {
        QFETCH(QString, caption);
        QFETCH(int, answer);
        QFETCH(bool, byKey);
        QFETCH(bool, fails);
        QFETCH(bool, older);
        if (fails)
            library().store().execute("create trigger Keep before delete on CataConstruct begin select raise(abort, 'kept'); end");
        form1& window = older ? library().restart(Store::Access::ReadWrite, writeOlderLayout) : library().openWindow();
        Store& store = library().store();
        Ui::form1& ui = window.controls();
        QCOMPARE(ui.StatusLine->text().startsWith("Library converted to the current layout"), older);
        const int rows = rowCount(store);
        const int globals = rowCount(store, "select * from GlobalVariant");
        for (const char* formula : {"WireResistance", "OhmsLaw", "OhmsLaw"}) {
            clickNode(window, formula);
            ui.Command1->click();
        }
        const bool all = caption.isEmpty();
        clickNode(window, caption);
        library().dialogs().expectQuestion(all ? "Do you want to delete all the formula(s) and catalog(s)?" : AskDelete, answer);
        if (fails)
            library().dialogs().expectStoreError();
        if (byKey)
            pressDeleteInTree(window);
        else
            trigger(window, all ? "mdelallfunroot" : "mdelfun");

        const bool deleted = answer == MsgAnswer::Yes && !fails;
        QCOMPARE(rowCount(store), !deleted ? rows : all ? 0 : rows - 1);
        QCOMPARE(store.tableExists("OhmsLaw"), !deleted);
        QCOMPARE(store.tableExists("CompositeWallHeatFlow"), !deleted || !all);
        QVERIFY(deleted || rowCount(store, "select * from OhmsLaw") == 3);
        QCOMPARE(rowCount(store, "select * from GlobalVariant"), globals);
        QCOMPARE(window.tree().find("OhmsLaw") == nullptr, deleted);
        QCOMPARE(window.tree().root()->childCount() == 0, deleted && all);
        QCOMPARE(!ui.Tvwmain->currentItem() && ui.Tvwmain->selectedItems().isEmpty(), deleted);
        if (!all) {
            QCOMPARE(ui.ListView1->topLevelItemCount(), deleted ? 1 : 3);
            QCOMPARE(ui.ListView1->topLevelItem(0)->text(0), "WireResistance");
            QCOMPARE(ui.Text3->toPlainText().isEmpty(), deleted);
            QCOMPARE(ParameterGrid::cell(*ui.MSFlexGrid1, 1, 0).isEmpty(), deleted);
        }
        if (deleted) {
            library().dialogs().expectMessage("Please choose the formula");
            ui.Command1->click();
            QCOMPARE(ui.ListView1->topLevelItemCount(), all ? 3 : 1);
        }
        clickNode(window, "");
        QCOMPARE(ui.ListView2->topLevelItemCount(), globals);
        QCOMPARE(ui.mdelallfunroot->isEnabled(), !deleted || !all);
        QCOMPARE(library().restart().tree().root()->childCount() == 0, deleted && all);
    }

    // A catalog is deleted only when empty, also one never opened whose nodes are not made yet;
    // a renamed one drops the table of its first name, and nothing is left highlighted.
    void deleteCatalogOnlyWhenEmpty()
    {
        form1& window = library().openWindow();
        Store& store = library().store();
        const int rows = rowCount(store);
        QTreeWidgetItem* mechanics = window.tree().root()->child(0);
        QVERIFY(mechanics->text(0) == "Mechanics" && !mechanics->isExpanded());
        clickNode(window, mechanics);
        library().dialogs().expectMessage("Please clear the catalog!");
        trigger(window, "mdelcata");
        QCOMPARE(rowCount(store), rows);
        QTest::keyClick(window.controls().Tvwmain, Qt::Key_Right);
        QCOMPARE(mechanics->childCount(), rowCount(store, "select * from CataConstruct where belongto='Mechanics' and caption<>'Mechanics'"));

        clickNode(window, "Beams");
        answerCatalogDialog("Girders", "");
        trigger(window, "mmodcata");
        QTreeWidgetItem* girders = window.tree().find("Girders");
        while (girders->childCount() > 0) {
            clickNode(window, girders->child(0));
            library().dialogs().expectQuestion(AskDelete, MsgAnswer::Yes);
            trigger(window, "mdelfun");
        }
        clickNode(window, "Girders");
        library().dialogs().expectQuestion(AskDelete, MsgAnswer::Yes);
        pressDeleteInTree(window);
        QVERIFY(!window.tree().find("Girders"));
        QVERIFY(!store.tableExists("Beams"));
        QVERIFY(!store.first("select * from CataConstruct where caption='Girders'"));
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), 0);
        QVERIFY(!window.controls().Tvwmain->currentItem());
    }

    // Closing the window forgets the run's history and sets every counter back to '0', past a
    // formula whose table another tool dropped; that formula can still be deleted.
    void closingResetsPastAFormulaWithoutItsTable()
    {
        library().openWindow();
        Store& store = library().store();
        store.execute("drop table OhmsLaw");
        const QString formulas = "select * from CataConstruct where flag= 0 and caption<>'OhmsLaw'";
        for (const QSqlRecord& formula : store.query(formulas)) {
            const QString table = formula.value("indtable").toString();
            store.execute("update " + table + " set calcount='7' where ispara = 0");
            store.execute("insert into ParaResult(Fmuname,name,paraname,paravalue,unit,Hisid,defparavalue) values (?,'x','x','1','m','7','1')", {table});
        }
        library().closeWindow();
        QVERIFY(store.query("select * from ParaResult").isEmpty());
        for (const QSqlRecord& formula : store.query(formulas))
            QCOMPARE(store.first("select * from " + formula.value("indtable").toString() + " where ispara=0 ")->value("calcount").toString(), "0");

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

QTEST_MAIN(TreeTest)
#include "tree_test.moc"
