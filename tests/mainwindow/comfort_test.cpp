// What the main window offers beyond its design, through the real widgets: the status line,
// the keyboard, tooltips, and a window that comes back as it was left.
#include "calc/frmsweep.h"
#include "calc/parametergrid.h"
#include "editor/frmaddnewfun.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/store.h"
#include "ui_form1.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

using GuiDriver::clickNode;
using GuiDriver::statusLine;
using GuiDriver::tipOver;

namespace {

QStringList enabledEntries(const QMenu& menu)
{
    QStringList names;
    for (QAction* entry : menu.actions())
        if (!entry->isSeparator() && entry->isEnabled())
            names << (entry->menu() ? entry->menu()->objectName() : entry->objectName());
    return names;
}

// The menu that press opens, as it shows: its name, place and enabled entries; closed again.
struct ShownMenu
{
    QString name;
    QPoint at;
    QStringList enabled;
};
ShownMenu menuOpenedBy(const std::function<void()>& press)
{
    ShownMenu shown;
    const auto look = [&shown] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = {menu->objectName(), menu->pos(), enabledEntries(*menu)};
            menu->close();
        }
    };
    // A menu that runs until it closes is looked at while it runs, one left open afterwards.
    QTimer whileOpen;
    whileOpen.setSingleShot(true);
    QObject::connect(&whileOpen, &QTimer::timeout, look);
    whileOpen.start(0);
    press();
    look();
    return shown;
}

} // namespace

class ComfortTest : public LibraryTest
{
    Q_OBJECT

    QTemporaryDir settingsDir_;

    // Settings of the test's own, empty, that the window comes back from at each start.
    QSettings& rememberedSettings()
    {
        settings_.emplace(settingsDir_.filePath("window.ini"), QSettings::IniFormat);
        settings_->clear();
        library().rememberWindowIn(*settings_);
        return *settings_;
    }
    std::optional<QSettings> settings_;

private slots:
    // Tab goes from the tree to the next control that takes input: grid, Calculate, result list
    // and round again, showing on each where the keyboard is. The keyboard never lands on the
    // grid's header row; Enter opens the row's Input, Ctrl+Return there computes with what was
    // just typed, F9 computes from anywhere else, and straight after a result was chosen.
    void keyboardOnly()
    {
        form1& window = library().openActiveWindow();
        Ui::form1& ui = window.controls();
        QTableWidget& grid = *ui.MSFlexGrid1;
        clickNode(window, "KineticEnergy");
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
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
        QCOMPARE(visited, (QStringList{"MSFlexGrid1", "Command1", "ListView1", "Tvwmain"}));

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

        QTest::keyClick(&grid, Qt::Key_Return);
        QTest::keyClick(ui.Text1, Qt::Key_Tab);
        QTimer::singleShot(0, [] {
            auto* list = QApplication::activeModalWidget()->findChild<QTreeWidget*>("ListView1");
            QTest::keyClick(list, Qt::Key_End);
            QTest::keyClick(list, Qt::Key_Return);
        });
        QTest::keyClick(ui.Command3, Qt::Key_Space);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
        QCOMPARE(ui.ListView1->topLevelItemCount(), 3);
        QCOMPARE(library().store().query("select * from ParaResult where paraname='m' and paravalue='966.05'").size(), 1);
    }

    // Shift+F10 and the menu key open the menu of the list or tree with the focus as a right
    // press on its current item does: the same menu, on that item, its entries as the right
    // button leaves them. The window system's own keyboard menu event does the same.
    void keyboardOpensTheFocusedControlsMenu_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("results");
        QTest::addColumn<QString>("control"); // in the formula editor when it starts with "editor"
        QTest::addColumn<QKeySequence>("keys"); // none: the window system's event
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("shown"); // its entries enabled as it shows
        QTest::addColumn<QStringList>("after"); // and after it closed
        const QKeySequence menuKey(Qt::Key_Menu);
        const QKeySequence shiftF10(Qt::SHIFT | Qt::Key_F10);
        const QStringList root{"mnewcataroot", "mdefvarroot", "mnewfunroot", "mdelallfunroot", "mimportcata"};
        const QStringList catalog{"mnewcata", "mmodcata", "mdelcata", "mnewfun", "mdefval", "mexportcata", "mimportcata"};
        const QStringList results{"delres", "delallres", "Routresult", "Rcopyres", "Rshowunit"};
        QTest::newRow("tree, root") << "" << 0 << "Tvwmain" << menuKey << "mrootedt" << root << root;
        QTest::newRow("tree, catalog") << "Electrical" << 0 << "Tvwmain" << shiftF10 << "menuedit" << catalog << catalog;
        QTest::newRow("tree, formula") << "OhmsLaw" << 0 << "Tvwmain" << QKeySequence() << "mfunedt"
                                       << QStringList{"mmodfun", "mdelfun", "msweep"} << QStringList{"mmodfun", "mdelfun", "msweep"};
        QTest::newRow("variables") << "" << 0 << "ListView2" << shiftF10 << "Rmoddelvar" << QStringList{"Rmodvar", "Rdelvar"}
                                   << QStringList{"Rmodvar", "Rdelvar", "Rdelallvar"};
        QTest::newRow("no variables") << "Beams" << 0 << "ListView2" << menuKey << "" << QStringList() << QStringList();
        QTest::newRow("results") << "OhmsLaw" << 2 << "ListView1" << menuKey << "Rdelresmenu" << QStringList{"Rcopyres", "Rshowunit"} << results;
        QTest::newRow("no results") << "OhmsLaw" << 0 << "ListView1" << shiftF10 << "" << QStringList() << QStringList();
        QTest::newRow("editor, parameters") << "OhmsLaw" << 0 << "editor ListView1" << shiftF10 << "Rmenu"
                                            << QStringList{"Rmodpara", "Rdelpara"} << QStringList{"Rmodpara", "Rdelpara"};
        QTest::newRow("editor, variables") << "OhmsLaw" << 0 << "editor ListView2" << QKeySequence() << "Rmenuaddvar"
                                           << QStringList{"Raddvar"} << QStringList{"Raddvar"};
    }
    void keyboardOpensTheFocusedControlsMenu()
    {
        QFETCH(QString, node);
        QFETCH(int, results);
        QFETCH(QString, control);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, menu);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, after);
        form1& window = library().openActiveWindow();
        clickNode(window, node);
        for (int i = 0; i < results; ++i)
            window.controls().Command1->click();
        QWidget* holder = &window;
        if (control.startsWith("editor")) {
            GuiDriver::trigger(window, "mmodfun");
            holder = window.findChild<Frmaddnewfun*>();
        }
        auto* view = holder->findChild<QAbstractItemView*>(control.section(' ', -1));
        view->setFocus(Qt::TabFocusReason);
        // The user moves onto the last item; the tree stays on the node clicked.
        if (view != window.controls().Tvwmain)
            QTest::keyClick(view, Qt::Key_End);
        const QModelIndex current = view->currentIndex();
        const QPoint onCurrent = view->viewport()->mapToGlobal(view->visualRect(current).center());

        const ShownMenu opened = menuOpenedBy([&] {
            if (!keys.isEmpty()) {
                QTest::keyClick(view, keys[0].key(), keys[0].keyboardModifiers());
                return;
            }
            QContextMenuEvent asked(QContextMenuEvent::Keyboard, QPoint(1, 1), view->mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(view, &asked);
        });
        QCOMPARE(opened.name, menu);
        QCOMPARE(opened.enabled, shown);
        if (!menu.isEmpty()) {
            QCOMPARE(opened.at, onCurrent);
            QCOMPARE(enabledEntries(*window.findChild<QMenu*>(menu)), after);
        }
        QCOMPARE(view->currentIndex(), current);
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

    // The window comes back as it was left (its place and size: restartLaysOut…): open catalogs
    // (not those a search left open), selected node, shown ready for Calculate; what cannot come
    // back is left out.
    void comesBackAsItWasLeft()
    {
        QSettings& saved = rememberedSettings();
        form1& first = library().openWindow();
        GuiDriver::node(first, "Mechanics")->setExpanded(true);
        GuiDriver::node(first, "Beams")->setExpanded(true);
        clickNode(first, "BendingStress");
        first.controls().FindBox->setText("ohm");
        form1& window = library().restart();
        QStringList expanded;
        for (const char* caption : {"Mechanics", "Beams", "Electrical", "Fluids", "Thermodynamics"})
            if (GuiDriver::node(window, caption)->isExpanded())
                expanded << caption;
        QCOMPARE(expanded, QStringList({"Mechanics", "Beams"}));
        QCOMPARE(window.controls().Tvwmain->currentItem(), GuiDriver::node(window, "BendingStress"));
        QVERIFY(window.controls().MSFlexGrid1->isVisible());
        QVERIFY(!window.controls().Text3->toPlainText().isEmpty());
        library().closeWindow();

        // A place off every screen and smaller than usable, or a node that has left the library,
        // does not keep the window from opening usable.
        saved.setValue("MainWindow/geometry", QRect(30000, -20000, 100, 80));
        saved.setValue("MainWindow/selectedNode", "NoSuchFormula");
        form1& again = library().openWindow();
        QVERIFY(again.width() >= again.minimumWidth() && again.height() >= again.minimumHeight());
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(again.geometry()));
        QCOMPARE(again.controls().Tvwmain->currentItem(), nullptr);
    }

    // Sweep… opens the sweep window beside the main window, for the formula shown, the other
    // parameters at the values the grid holds now; it computes from them.
    void sweepOpensForTheShownFormula()
    {
        form1& window = library().openActiveWindow();
        clickNode(window, "KineticEnergy");
        ParameterGrid::setCell(*window.controls().MSFlexGrid1, 2, ParameterGrid::InputColumn, "72 km/h");
        GuiDriver::trigger(window, "msweep");
        auto* sweep = window.findChild<Frmsweep*>();
        QVERIFY(sweep && sweep->isVisible() && sweep->isWindow() && !sweep->isModal());
        QCOMPARE(sweep->windowTitle(), "Sweep – KineticEnergy");
        QCOMPARE(sweep->findChild<QLabel*>("OthersLabel")->text(), "Other values: v = 20 m/s");
        sweep->findChild<QPushButton*>("ComputeButton")->click();
        QCOMPARE(sweep->findChild<QLabel*>("SummaryLabel")->text(), "51 points.");
        QCOMPARE(sweep->findChild<QTableView*>("ValuesTable")->model()->index(50, 1).data().toString(), "480000.00");
        sweep->close();
        QTRY_VERIFY(!window.findChild<Frmsweep*>());
    }

    // After a restart the controls fill the window as they do after a resize by hand to the
    // same size, and keep doing so as it is resized; a window left larger than the screen's free
    // area comes back fitted into it, its status line in view.
    void restartLaysOutTheControlsForTheWindowsSize_data()
    {
        QTest::addColumn<QRect>("left");
        QTest::addColumn<bool>("maximized");
        QTest::newRow("enlarged") << QRect(40, 30, 720, 560) << false;
        QTest::newRow("maximized") << QRect(40, 30, 500, 480) << true;
        QTest::newRow("larger than the screen") << QRect(10, 10, 1600, 1200) << false;
    }
    void restartLaysOutTheControlsForTheWindowsSize()
    {
        QFETCH(QRect, left);
        QFETCH(bool, maximized);
        rememberedSettings();
        form1& first = library().openWindow();
        first.setGeometry(left);
        if (maximized)
            first.showMaximized();
        form1& window = library().restart();
        const QRect available = window.screen()->availableGeometry();
        QVERIFY(available.contains(window.frameGeometry()));
        QVERIFY(window.rect().contains(window.controls().StatusLine->geometry()));
        QCOMPARE(window.isMaximized(), maximized);
        if (available.contains(left.marginsAdded(QMargins(2, 2, 2, 2))) && !maximized)
            QCOMPARE(window.geometry(), left);

        form1 byHand(library().store(), library().dialogs());
        byHand.show();
        QVERIFY(QTest::qWaitForWindowExposed(&byHand));
        for (const QSize size : {window.size(), QSize(480, 470)}) {
            window.resize(size);
            byHand.resize(size);
            for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!control->isWindow())
                    QCOMPARE(control->geometry(), byHand.findChild<QWidget*>(control->objectName())->geometry());
        }
    }
};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
