// A computation of the result list, whole, copied as text.
#include "calc/parametergrid.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>

class ResultDetailsTest : public LibraryTest
{
    Q_OBJECT

    form1* window_ = nullptr;

    // Computes OhmsLaw with R and I after a computation of KineticEnergy, and selects it.
    void computeOhmsLaw(const QString& r, const QString& i)
    {
        window_ = &library().openActiveWindow();
        Ui::form1& ui = window_->controls();
        GuiDriver::clickNode(*window_, "KineticEnergy");
        ui.Command1->click();
        GuiDriver::clickNode(*window_, "OhmsLaw");
        ParameterGrid::setCell(*ui.MSFlexGrid1, 1, ParameterGrid::InputColumn, r);
        ParameterGrid::setCell(*ui.MSFlexGrid1, 2, ParameterGrid::InputColumn, i);
        ui.Command1->click();
        QTreeWidget& list = *ui.ListView1;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.topLevelItem(1)).center());
    }

private slots:
    // Ctrl+C on the list, or "Copy" at the end of its menu, copies the selected computation: its
    // result, its parameters, and the result in full where the list rounds it.
    void copiesTheSelectedComputation_data()
    {
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QString>("r");
        QTest::addColumn<QString>("i");
        QTest::addColumn<QString>("copied");
        QTest::newRow("rounded, by Ctrl+C") << true << "1" << "0.33333"
                                            << "U = 0.333 V\nR = 1 Ω\nI = 0.33333 A\nU = 0.33333 V (full precision)";
        QTest::newRow("exact, from the menu") << false << "2" << "0.5" << "U = 1.000 V\nR = 2 Ω\nI = 0.5 A";
    }
    void copiesTheSelectedComputation()
    {
        QFETCH(bool, byKeys);
        QFETCH(QString, r);
        QFETCH(QString, i);
        QFETCH(QString, copied);
        computeOhmsLaw(r, i);
        Ui::form1& ui = window_->controls();
        QCOMPARE(ui.Rdelresmenu->actions().constLast(), ui.Rcopyres);
        QGuiApplication::clipboard()->clear();
        if (byKeys)
            QTest::keyClick(ui.ListView1, Qt::Key_C, Qt::ControlModifier);
        else
            ui.Rcopyres->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }
};

QTEST_MAIN(ResultDetailsTest)
#include "resultdetails_test.moc"
