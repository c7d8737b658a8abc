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
#include <QHelpEvent>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using GuiDriver::clickNode;

namespace {

// The whole text of the status line, also when it is cut short.
QString statusLine(form1& window)
{
    const QLabel& line = *window.controls().StatusLine;
    return line.toolTip().isEmpty() ? line.text() : line.toolTip();
}

void calculate(form1& window)
{
    QTest::mouseClick(window.controls().Command1, Qt::LeftButton);
}

void setInput(form1& window, int row, const QString& text)
{
    ParameterGrid::setCell(*window.controls().MSFlexGrid1, row, ParameterGrid::InputColumn, text);
}

// The tooltip the pointer resting on the cell brings up; empty when none comes.
QString tipOver(QAbstractItemView& view, const QModelIndex& index)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(a tooltip stays)");
    view.scrollTo(index);
    const QPoint centre = view.visualRect(index).center();
    QHelpEvent help(QEvent::ToolTip, centre, view.viewport()->mapToGlobal(centre));
    QApplication::sendEvent(view.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class ComfortTest : public LibraryTest
{
    Q_OBJECT

    QTemporaryDir settingsDir_;

    // A fresh settings file for each test function.
    QSettings settings() const
    {
        return {settingsDir_.filePath(QString(QTest::currentTestFunction()) + QTest::currentDataTag() + ".ini"), QSettings::IniFormat};
    }

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
    // A Calculate that adds nothing says why and where, without a box; a tree click clears it.
    void statusSaysWhyNothingWasAdded_data()
    {
        QTest::addColumn<QString>("change"); // to the formula, before the window opens
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("said");
        QTest::newRow("a value that is not a number")
            << "" << 2 << "abc" << R"(Not computed, row 2 (Velocity): The value of v, "abc", is not a number.)";
        QTest::newRow("a nameless parameter by its row alone")
            << "update KineticEnergy set name='' where varname='v'" << 2 << "abc"
            << R"(Not computed, row 2: The value of v, "abc", is not a number.)";
        QTest::newRow("an unknown symbol") << "update KineticEnergy set expression='m*q' where ispara=0" << 0 << ""
                                           << "Not computed, character 3 of the expression: Unknown symbol 'q'.";
        QTest::newRow("a division by zero") << "update KineticEnergy set expression='m/(v-v)' where ispara=0" << 0 << ""
                                            << "Not computed: The result is not a finite number: a division by zero, "
                                               "a value outside a function's domain, or an overflow.";
        QTest::newRow("a value the engine cannot be handed")
            << "" << 1 << "1#v||2" << "Not computed, row 1 (Mass): A symbol or value cannot hold '#' or '|'.";
    }
    void statusSaysWhyNothingWasAdded()
    {
        QFETCH(QString, change);
        QFETCH(int, row);
        QFETCH(QString, input);
        QFETCH(QString, said);
        if (!change.isEmpty())
            library().store().execute(change);
        form1& window = library().openWindow();
        clickNode(window, "KineticEnergy");
        if (row > 0)
            setInput(window, row, input);
        calculate(window);
        QCOMPARE(window.controls().ListView1->topLevelItemCount(), 0);
        QCOMPARE(statusLine(window), said);
        clickNode(window, "Mechanics");
        QCOMPARE(statusLine(window), QString());
    }

    // A success clears the reason a failure gave; a library that cannot be written says so
    // whenever there is nothing newer to say.
    void statusClearsAndShowsWhatLasts()
    {
        form1& window = library().openWindow();
        QCOMPARE(statusLine(window), QString());
        clickNode(window, "KineticEnergy");
        setInput(window, 1, "");
        calculate(window);
        QVERIFY(statusLine(window).startsWith("Not computed, row 1 (Mass)"));
        setInput(window, 1, "1200");
        calculate(window);
        QCOMPARE(window.controls().ListView1->topLevelItemCount(), 1);
        QCOMPARE(statusLine(window), QString());

        form1& readOnly = library().restart(Store::Access::ReadOnly);
        const QString lasting = "Library is read-only: nothing can be changed or recorded.";
        QCOMPARE(statusLine(readOnly), lasting);
        clickNode(readOnly, "KineticEnergy");
        setInput(readOnly, 2, "abc");
        calculate(readOnly);
        QVERIFY(statusLine(readOnly).startsWith("Not computed, row 2 (Velocity)"));
        clickNode(readOnly, "KineticEnergy");
        QCOMPARE(statusLine(readOnly), lasting);
        library().dialogs().expectMessageStarting("The formula library");
        calculate(readOnly);
        QCOMPARE(statusLine(readOnly), lasting);
    }

    // Tab goes tree, variable list or expression, grid, Calculate, result list, description and
    // round again, showing on each where the keyboard is.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("a formula") << "KineticEnergy"
                                   << QStringList{"Text3", "MSFlexGrid1", "Command1", "ListView1", "Text4", "Tvwmain"};
    }
    void tabOrder()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, order);
        form1& window = library().openActiveWindow();
        clickNode(window, node);
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            visited << focused->objectName();
            if (qobject_cast<QAbstractScrollArea*>(focused)) {
                const auto* frame = focused->findChild<QWidget*>("focusFrame");
                QVERIFY2(frame && frame->isVisible() && frame->geometry() == focused->rect(), qPrintable(visited.last()));
            }
        }
        QCOMPARE(visited, order);
    }

    // The keyboard never lands on the grid's header row: tabbing in finds the first Input, the
    // arrows pass the header by, and Enter opens that Input.
    void headerRowIsNoCell()
    {
        form1& window = library().openActiveWindow();
        clickNode(window, "KineticEnergy");
        QTableWidget& grid = *window.controls().MSFlexGrid1;
        window.controls().Text3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window.controls().Text3, Qt::Key_Tab);
        QVERIFY(grid.hasFocus());
        QCOMPARE(QPoint(grid.currentRow(), grid.currentColumn()), QPoint(1, ParameterGrid::InputColumn));
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home}) {
            QTest::keyClick(&grid, key, key == Qt::Key_Home ? Qt::ControlModifier : Qt::NoModifier);
            QCOMPARE(grid.currentRow(), 1);
        }
        QTest::keyClick(&grid, Qt::Key_Right);
        QTest::keyClick(&grid, Qt::Key_Right);
        QTest::keyClick(&grid, Qt::Key_Return);
        QVERIFY(window.controls().Text1->hasFocus());
    }

    // Ctrl+Return in the in-cell editor computes with what was just typed; F9 computes from
    // anywhere else.
    void calculateFromTheKeyboard()
    {
        form1& window = library().openActiveWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, "KineticEnergy");
        QTableWidget& grid = *ui.MSFlexGrid1;
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 2)).center());
        QVERIFY(ui.Text1->hasFocus());
        ui.Text1->selectAll();
        QTest::keyClicks(ui.Text1, "10");
        QTest::keyClick(ui.Text1, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ui.ListView1->topLevelItemCount(), 1);
        QCOMPARE(ui.ListView1->topLevelItem(0)->text(2), "966.05");
        QTest::keyClick(ui.Tvwmain, Qt::Key_F9);
        QCOMPARE(ui.ListView1->topLevelItemCount(), 2);
        const Rows history = library().store().query("select * from ParaResult where paraname='m'");
        QCOMPARE(history.size(), 2);
        QCOMPARE(history.at(0).value("paravalue").toString(), "10");
    }

    // A node, a variable or a grid cell that shows less than its text shows it whole when the
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

        clickNode(window, "Mechanics");
        QTreeWidget& variables = *ui.ListView2;
        const QList<QTreeWidgetItem*> steel = variables.findItems("Esteel", Qt::MatchExactly);
        QCOMPARE(steel.size(), 1);
        QCOMPARE(tipOver(variables, variables.indexFromItem(steel.first(), 4)), "Young's modulus of structural steel");
        QCOMPARE(tipOver(variables, variables.indexFromItem(steel.first(), 0)), QString());

        clickNode(window, "CompositeWallHeatFlow");
        QTableWidget& grid = *ui.MSFlexGrid1;
        QCOMPARE(tipOver(grid, grid.model()->index(7, 0)), "Outside film coefficient");
        QCOMPARE(tipOver(grid, grid.model()->index(7, 1)), QString());
    }

    // The window comes back where it was left: place, size, open catalogs, selected node.
    void comesBackAsItWasLeft()
    {
        const QRect left(60, 50, 600, 520);
        {
            QSettings saved = settings();
            const auto window = start(saved);
            window->setGeometry(left);
            GuiDriver::node(*window, "Mechanics")->setExpanded(true);
            GuiDriver::node(*window, "Beams")->setExpanded(true);
            clickNode(*window, "BendingStress");
            window->close();
        }
        QSettings saved = settings();
        const auto window = start(saved);
        QCOMPARE(window->geometry(), left);
        QStringList expanded;
        for (const char* caption : {"Mechanics", "Beams", "Electrical", "Fluids", "Thermodynamics"})
            if (GuiDriver::node(*window, caption)->isExpanded())
                expanded << caption;
        QCOMPARE(expanded, QStringList({"Mechanics", "Beams"}));
        QCOMPARE(window->controls().Tvwmain->currentItem(), GuiDriver::node(*window, "BendingStress"));
        // The selected formula is shown, ready for "Calculate".
        QVERIFY(window->controls().MSFlexGrid1->isVisible());
        QVERIFY(!window->controls().Text3->toPlainText().isEmpty());
    }

    // With nothing saved the window opens as designed; a place off every screen, or a node that
    // has left the library, does not keep it from opening usable.
    void startsUsableWhateverWasSaved_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QString>("selected");
        QTest::newRow("nothing saved") << QRect() << QString();
        QTest::newRow("off every screen, a vanished node") << QRect(30000, -20000, 500, 500) << "NoSuchFormula";
        QTest::newRow("smaller than usable") << QRect(10, 10, 100, 80) << QString();
    }
    void startsUsableWhateverWasSaved()
    {
        QFETCH(QRect, saved);
        QFETCH(QString, selected);
        QSettings state = settings();
        if (saved.isValid()) {
            state.setValue("MainWindow/geometry", saved);
            state.setValue("MainWindow/selectedNode", selected);
        }
        const auto window = start(state);
        QVERIFY(window->width() >= 441 && window->height() >= 460);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(window->geometry()));
        QVERIFY(window->controls().Tvwmain->topLevelItem(0)->isExpanded());
        QCOMPARE(window->controls().Tvwmain->currentItem(), nullptr);
    }
};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
