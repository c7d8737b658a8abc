#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/store.h"

#include <QMenu>
#include <QTest>

using namespace GuiDriver;

namespace {

QStringList column(const QTreeWidget& list, int index)
{
    QStringList texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts << list.topLevelItem(i)->text(index);
    return texts;
}

QStringList storedSymbols(Store& store, const QString& query)
{
    QStringList symbols;
    for (const QSqlRecord& row : store.query(query))
        symbols << row.value("varname").toString();
    return symbols;
}

} // namespace

class TreeTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // The root and a catalog show their variables; a formula shows expression, grid and Calculate.
    void clickShowsTheNodesFace_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("variables"); // the table listed, empty for a formula
        QTest::newRow("root") << "" << "GlobalVariant";
        QTest::newRow("nested catalog") << "Beams" << "Beams";
        QTest::newRow("formula") << "OhmsLaw" << "";
    }
    void clickShowsTheNodesFace()
    {
        QFETCH(QString, caption);
        QFETCH(QString, variables);
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, caption);

        const bool formula = variables.isEmpty();
        QCOMPARE(ui.ListView2->isVisible(), !formula);
        for (QWidget* control : std::initializer_list<QWidget*>{ui.Text3, ui.Label4, ui.MSFlexGrid1, ui.Command1})
            QCOMPARE(control->isVisible(), formula);
        QCOMPARE(ui.Label2->text(), formula ? "Expression:" : "Variant List:");
        if (!formula) {
            QCOMPARE(column(*ui.ListView2, 0), storedSymbols(library().store(), "select * from " + variables));
            QCOMPARE(ui.Rmodvar->isEnabled(), ui.ListView2->topLevelItemCount() > 0);
            QCOMPARE(ui.Rdelvar->isEnabled(), ui.ListView2->topLevelItemCount() > 0);
        }
        if (caption.isEmpty()) {
            QVERIFY(ui.Text4->toPlainText().isEmpty());
            for (QAction* entry : {ui.mnewcataroot, ui.mnewfunroot, ui.mdefvarroot, ui.mdelallfunroot})
                QVERIFY(entry->isEnabled());
        } else {
            QVERIFY(ui.Text4->toPlainText().startsWith(caption + "\n"));
        }
    }

    // Grid rows: one per parameter after the header, never fewer than six; Input starts at Default.
    void formulaFillsTheGrid_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("rows");
        QTest::newRow("2 parameters") << "OhmsLaw" << 6;
        QTest::newRow("6 parameters") << "PipePressureDrop" << 7;
    }
    void formulaFillsTheGrid()
    {
        QFETCH(QString, caption);
        QFETCH(int, rows);
        form1& window = library().openWindow();
        QTableWidget& grid = *window.controls().MSFlexGrid1;
        clickNode(window, "CompositeWallHeatFlow"); // a longer grid first: the fill must shrink it
        clickNode(window, caption);
        QCOMPARE(grid.rowCount(), rows);
        const auto parameters = library().store().query("select * from " + caption + " where ispara=1");
        const auto text = [&](int row, int column) { return grid.item(row, column) ? grid.item(row, column)->text() : QString(); };
        for (int row = 1; row < rows; ++row) {
            const bool filled = row <= parameters.size();
            const QSqlRecord parameter = filled ? parameters.at(row - 1) : QSqlRecord();
            int c = 0;
            for (const char* field : {"name", "varname", "defvalue", "defvalue", "unit"}) {
                QCOMPARE(text(row, c), filled ? parameter.value(field).toString() : QString());
                ++c;
            }
        }
        const auto formula = library().store().first("select * from " + caption + " where ispara=0 ");
        QCOMPARE(window.controls().Text3->toPlainText(), formula->value("expression").toString());
        QCOMPARE(window.controls().Text4->toPlainText(), caption + "\n" + formula->value("descr").toString());
    }

    // An empty library shows the root alone with the global variables, offers no Delete All,
    // and closes without history.
    void emptyLibrary()
    {
        LibraryFixture library(LibraryFixture::Contents::Empty);
        library.store().execute("insert into GlobalVariant (name,varname,unit,defvalue,descr) values ('Gravity','g','m/s2','9.81','')");
        form1& window = library.openWindow();
        QCOMPARE(window.tree().root()->childCount(), 0);
        clickNode(window, "");
        QCOMPARE(column(*window.controls().ListView2, 0), QStringList{"g"});
        QVERIFY(!window.controls().mdelallfunroot->isEnabled());
        library.closeWindow();
        QVERIFY(library.store().query("select * from ParaResult").isEmpty());
        VERIFY_NO_SURPRISES(library);
    }

    // The right button opens the menu that fits the node.
    void rightClickOpensTheNodesMenu_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("menu");
        QTest::newRow("root") << "" << "mrootedt";
        QTest::newRow("catalog") << "Electrical" << "menuedit";
        QTest::newRow("formula") << "OhmsLaw" << "mfunedt";
    }
    void rightClickOpensTheNodesMenu()
    {
        QFETCH(QString, caption);
        QFETCH(QString, menu);
        form1& window = library().openWindow();
        rightClickNode(window, caption);
        auto* popup = window.findChild<QMenu*>(menu);
        QTRY_VERIFY(popup->isVisible());
        popup->close();
        QCOMPARE(window.controls().Tvwmain->currentItem(), node(window, caption));
    }

    // The arrow keys show the node they move to, as a click does, so that Calculate files the
    // result under the formula it computed; showing another node leaves the results alone.
    void keyboardMovesShowTheNode()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, "OhmsLaw");
        QTreeWidgetItem* ohm = node(window, "OhmsLaw");
        const QString next = ohm->parent()->child(ohm->parent()->indexOfChild(ohm) + 1)->text(0);
        QTest::keyClick(ui.Tvwmain, Qt::Key_Down);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), next);
        const auto formula = library().store().first("select * from " + next + " where ispara=0");
        QCOMPARE(ui.Text3->toPlainText(), formula->value("expression").toString());
        QCOMPARE(ui.MSFlexGrid1->item(1, 1)->text(),
                 library().store().first("select * from " + next + " where ispara=1")->value("varname").toString());

        ui.Command1->click();
        QCOMPARE(column(*ui.ListView1, 0), QStringList{next});
        QCOMPARE(column(*ui.ListView1, 1), QStringList{formula->value("varname").toString()});
        for (const QSqlRecord& history : library().store().query("select * from ParaResult"))
            QCOMPARE(history.value("Fmuname").toString(), next);

        // Up to the catalog: its variables again.
        QTest::keyClick(ui.Tvwmain, Qt::Key_Up);
        QTest::keyClick(ui.Tvwmain, Qt::Key_Left);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), "Electrical");
        QVERIFY(ui.ListView2->isVisible() && !ui.MSFlexGrid1->isVisible());
        clickNode(window, "KineticEnergy");
        clickNode(window, "Mechanics");
        QCOMPARE(column(*ui.ListView1, 0), QStringList{next});
    }
};

QTEST_MAIN(TreeTest)
#include "tree_test.moc"
