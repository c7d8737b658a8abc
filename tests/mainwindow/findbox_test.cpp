// The find box over the tree, driven through the real window: what the tree shows as the user
// types, the way back with Esc, and a match shown and computed from the keyboard.
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "ui_form1.h"

#include <QTreeWidgetItemIterator>

using GuiDriver::clickNode;
using GuiDriver::statusLine;

namespace {

// The rows the tree shows, below the root, indented by depth; the selected one marked "*".
QStringList shownRows(const QTreeWidget& tree)
{
    QStringList rows;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        QTreeWidgetItem* node = *it;
        bool shown = node->parent() && !node->isHidden();
        QString indent;
        for (QTreeWidgetItem* up = node->parent(); shown && up; up = up->parent()) {
            shown = up->isExpanded() && !up->isHidden();
            indent += up->parent() ? QStringLiteral("  ") : QString();
        }
        if (shown)
            rows << indent + node->text(0) + (node->isSelected() ? "*" : "");
    }
    return rows;
}

} // namespace

class FindBoxTest : public LibraryTest
{
    Q_OBJECT

    // Ctrl+F from the tree, then the text typed key by key.
    static void find(form1& window, const QString& text)
    {
        QTest::keyClick(window.controls().Tvwmain, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window.controls().FindBox->hasFocus());
        QTest::keyClicks(window.controls().FindBox, text);
    }

private slots:
    // Any of a formula's texts finds it, a catalog's description the catalog; the catalogs on the
    // way are opened. Esc gives back the open catalogs and the node shown, which never moved.
    void findsAndGivesTheTreeBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("note");
        QTest::newRow("name, catalog description")
            << "DEFLECTION" << QStringList{"Mechanics", "  Beams*", "    CantileverDeflection", "    SimpleBeamDeflection"}
            << "2 formulas and 1 catalog match \"DEFLECTION\".";
        QTest::newRow("description") << "gravity field" << QStringList{"PotentialEnergy*"} << "1 formula matches \"gravity field\".";
        QTest::newRow("expression") << "exp(-t" << QStringList{"Electrical", "  CapacitorCharge*"} << "1 formula matches \"exp(-t\".";
        QTest::newRow("function name") << "sigma" << QStringList{"Mechanics", "  Beams", "    BendingStress*"}
                                       << "1 formula matches \"sigma\".";
        QTest::newRow("nothing") << "zzz" << QStringList() << "No formula or catalog matches \"zzz\".";
    }
    void findsAndGivesTheTreeBack()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        QFETCH(QString, note);
        form1& window = library().openActiveWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, "OhmsLaw");
        const QStringList before = shownRows(*ui.Tvwmain);
        find(window, text);
        QCOMPARE(shownRows(*ui.Tvwmain), rows);
        QCOMPARE(statusLine(window), note);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), "OhmsLaw");

        QTest::keyClick(ui.FindBox, Qt::Key_Escape);
        QCOMPARE(ui.FindBox->text(), QString());
        QCOMPARE(shownRows(*ui.Tvwmain), before);
        QVERIFY(before.contains("  OhmsLaw*"));
        QCOMPARE(ui.Text3->toPlainText(), "R*I");
        QCOMPARE(statusLine(window), QString());
    }

    // Down moves through the matches, Enter shows one as a click does and it computes at once;
    // after Esc it stays shown, in its catalog.
    void enterShowsTheMatch()
    {
        form1& window = library().openActiveWindow();
        Ui::form1& ui = window.controls();
        find(window, "resist");
        QCOMPARE(shownRows(*ui.Tvwmain), (QStringList{"Mechanics", "  ProjectileRange*", "Electrical", "  OhmsLaw", "  WireResistance",
                                                      "  CapacitorCharge"}));
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(ui.FindBox, Qt::Key_Down);
        QTest::keyClick(ui.FindBox, Qt::Key_Up);
        QTest::keyClick(ui.FindBox, Qt::Key_Return);
        QCOMPARE(ui.Text3->toPlainText(), "rho*L/A");
        QCOMPARE(ui.Text4->toPlainText(), "WireResistance\nResistance of a wire of uniform cross-section");
        QVERIFY(ui.MSFlexGrid1->isVisible() && ui.Command1->isVisible());
        QTest::keyClick(ui.FindBox, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ui.ListView1->topLevelItemCount(), 1);
        QCOMPARE(ui.ListView1->topLevelItem(0)->text(0), "WireResistance");

        QTest::keyClick(ui.FindBox, Qt::Key_Escape);
        QCOMPARE(ui.Tvwmain->currentItem()->text(0), "WireResistance");
        QVERIFY(shownRows(*ui.Tvwmain).contains("  WireResistance*"));
    }

    // What is added, renamed or deleted while a search shows is found, or no longer found, at once.
    void followsTheLibrary()
    {
        form1& window = library().openActiveWindow();
        Ui::form1& ui = window.controls();
        find(window, "pressure");
        QCOMPARE(shownRows(*ui.Tvwmain), (QStringList{"Fluids", "  PipePressureDrop*", "  HydrostaticPressure",
                                                      "Thermodynamics", "  IdealGasPressure"}));
        clickNode(window, "HydrostaticPressure");
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
        GuiDriver::trigger(window, "mdelfun");
        clickNode(window, "Fluids");
        GuiDriver::answerCatalogDialog("Pumps", "Pressure raised by pumps");
        GuiDriver::trigger(window, "mnewcata");
        clickNode(window, "Thermodynamics");
        GuiDriver::answerCatalogDialog("Heat", "Heat, gases and thermal expansion");
        GuiDriver::trigger(window, "mmodcata");
        QCOMPARE(shownRows(*ui.Tvwmain), (QStringList{"Fluids", "  PipePressureDrop*", "  Pumps", "Heat", "  IdealGasPressure"}));
        QTest::keyClick(ui.FindBox, Qt::Key_Escape);
        QCOMPARE(shownRows(*ui.Tvwmain), (QStringList{"Mechanics", "Electrical", "Fluids", "Heat*", "KineticEnergy",
                                                      "PotentialEnergy", "QuadraticRoot"}));
    }
};

QTEST_MAIN(FindBoxTest)
#include "findbox_test.moc"
