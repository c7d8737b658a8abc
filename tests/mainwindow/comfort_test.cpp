// What the main window offers beyond its design, through the real widgets: the status line,
// the keyboard, tooltips, and a window that comes back as it was left.
#include "calc/parametergrid.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "mainwindow/windowmemory.h"
#include "store/store.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using GuiDriver::clickNode;
using GuiDriver::statusLine;
using GuiDriver::tipOver;

class ComfortTest : public LibraryTest
{
    Q_OBJECT

    QTemporaryDir settingsDir_;

    // A window on the library as the program starts one, with the state in settings.
    std::unique_ptr<form1> start(QSettings& settings)
    {
        auto window = std::make_unique<form1>(library().store(), library().dialogs());
        rememberWindowState(*window, settings);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window was not exposed");
        return window;
    }

private slots:
    // A Calculate that adds nothing says why and where, without a box; a success or a tree
    // click clears it.
    void statusSaysWhyNothingWasAdded()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        const auto calculateWith = [&](int row, const QString& input) {
            if (row > 0)
                ParameterGrid::setCell(*ui.MSFlexGrid1, row, ParameterGrid::InputColumn, input);
            ui.Command1->click();
            return statusLine(window);
        };
        QCOMPARE(statusLine(window), QString());
        clickNode(window, "KineticEnergy");
        QCOMPARE(calculateWith(2, "abc"), R"(Not computed, row 2 (Velocity): The value of v, "abc", is not a number.)");
        QCOMPARE(calculateWith(2, "12"), QString());
        QCOMPARE(calculateWith(1, "1#v||2"), "Not computed, row 1 (Mass): A symbol or value cannot hold '#' or '|'.");
        QCOMPARE(ui.ListView1->topLevelItemCount(), 1);
        clickNode(window, "Mechanics");
        QCOMPARE(statusLine(window), QString());
        library().store().execute("update KineticEnergy set expression='m*q' where ispara=0");
        clickNode(window, "KineticEnergy");
        QCOMPARE(calculateWith(0, ""), "Not computed, character 3 of the expression: Unknown symbol 'q'.");
        QCOMPARE(ui.ListView1->topLevelItemCount(), 1);
    }

    // Tab goes tree, expression, grid, Calculate, result list, description and round again,
    // showing on each where the keyboard is. The keyboard never lands on the grid's header row;
    // Enter opens the row's Input, Ctrl+Return there computes with what was just typed, and F9
    // computes from anywhere else.
    void keyboardOnly()
    {
        form1& window = library().openActiveWindow();
        Ui::form1& ui = window.controls();
        QTableWidget& grid = *ui.MSFlexGrid1;
        clickNode(window, "KineticEnergy");
        QStringList visited;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            visited << focused->objectName();
            if (focused == &grid)
                QCOMPARE(QPoint(grid.currentRow(), grid.currentColumn()), QPoint(1, ParameterGrid::InputColumn));
            if (qobject_cast<QAbstractScrollArea*>(focused)) {
                const auto* frame = focused->findChild<QWidget*>("focusFrame");
                QVERIFY2(frame && frame->isVisible() && frame->geometry() == focused->rect(), qPrintable(visited.last()));
            }
        }
        QCOMPARE(visited, (QStringList{"Text3", "MSFlexGrid1", "Command1", "ListView1", "Text4", "Tvwmain"}));

        grid.setFocus(Qt::TabFocusReason);
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home}) {
            QTest::keyClick(&grid, key, key == Qt::Key_Home ? Qt::ControlModifier : Qt::NoModifier);
            QCOMPARE(grid.currentRow(), 1);
        }
        QTest::keyClick(&grid, Qt::Key_Right);
        QTest::keyClick(&grid, Qt::Key_Right);
        QTest::keyClick(&grid, Qt::Key_Return);
        QVERIFY(ui.Text1->hasFocus());
        ui.Text1->selectAll();
        QTest::keyClicks(ui.Text1, "10");
        QTest::keyClick(ui.Text1, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ui.ListView1->topLevelItemCount(), 1);
        QCOMPARE(ui.ListView1->topLevelItem(0)->text(2), "966.05");
        QTest::keyClick(ui.Tvwmain, Qt::Key_F9);
        QCOMPARE(ui.ListView1->topLevelItemCount(), 2);
        QCOMPARE(library().store().query("select * from ParaResult where paraname='m' and paravalue='10'").size(), 2);
    }

    // A node or a grid cell that shows less than its text shows it whole when the
    // pointer rests on it; one that shows it all needs no tooltip.
    void cutOffCellsShowTheirWholeText()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        const QString longName = "A catalog whose name is far too long for the tree";
        window.tree().add(ItemName::RootKey, longName, "folder");
        QTreeWidget& tree = *ui.Tvwmain;
        QCOMPARE(tipOver(tree, tree.indexFromItem(window.tree().find(longName))), longName);
        QCOMPARE(tipOver(tree, tree.indexFromItem(window.tree().find("Mechanics"))), QString());

        clickNode(window, "CompositeWallHeatFlow");
        QCOMPARE(tipOver(*ui.MSFlexGrid1, ui.MSFlexGrid1->model()->index(7, 0)), "Outside film coefficient");
    }

    // The window comes back where it was left: place, size, open catalogs, selected node, shown
    // ready for Calculate; what cannot come back is left out.
    void comesBackAsItWasLeft()
    {
        const QRect left(60, 50, 600, 520);
        QSettings saved(settingsDir_.filePath("window.ini"), QSettings::IniFormat);
        const auto first = start(saved);
        first->setGeometry(left);
        GuiDriver::node(*first, "Mechanics")->setExpanded(true);
        GuiDriver::node(*first, "Beams")->setExpanded(true);
        clickNode(*first, "BendingStress");
        first->close();
        const auto window = start(saved);
        QCOMPARE(window->geometry(), left);
        QStringList expanded;
        for (const char* caption : {"Mechanics", "Beams", "Electrical", "Fluids", "Thermodynamics"})
            if (GuiDriver::node(*window, caption)->isExpanded())
                expanded << caption;
        QCOMPARE(expanded, QStringList({"Mechanics", "Beams"}));
        QCOMPARE(window->controls().Tvwmain->currentItem(), GuiDriver::node(*window, "BendingStress"));
        QVERIFY(window->controls().MSFlexGrid1->isVisible());
        QVERIFY(!window->controls().Text3->toPlainText().isEmpty());
        window->close();

        // A place off every screen and smaller than usable, or a node that has left the library,
        // does not keep the window from opening usable.
        saved.setValue("MainWindow/geometry", QRect(30000, -20000, 100, 80));
        saved.setValue("MainWindow/selectedNode", "NoSuchFormula");
        const auto again = start(saved);
        QVERIFY(again->width() >= again->minimumWidth() && again->height() >= again->minimumHeight());
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(again->geometry()));
        QCOMPARE(again->controls().Tvwmain->currentItem(), nullptr);
    }
};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
