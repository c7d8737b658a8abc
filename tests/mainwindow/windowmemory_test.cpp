// The main window comes back where it was left: place, size, open catalogs, selected node.
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "mainwindow/windowmemory.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

class WindowMemoryTest : public LibraryTest
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

    static QStringList expandedCatalogs(form1& window)
    {
        QStringList expanded;
        for (const char* caption : {"Mechanics", "Beams", "Electrical", "Fluids", "Thermodynamics"})
            if (GuiDriver::node(window, caption)->isExpanded())
                expanded << caption;
        return expanded;
    }

private slots:
    void comesBackAsItWasLeft()
    {
        const QRect left(60, 50, 600, 520);
        {
            QSettings saved = settings();
            const auto window = start(saved);
            window->setGeometry(left);
            GuiDriver::node(*window, "Mechanics")->setExpanded(true);
            GuiDriver::node(*window, "Beams")->setExpanded(true);
            GuiDriver::clickNode(*window, "BendingStress");
            window->close();
        }
        QSettings saved = settings();
        const auto window = start(saved);
        QCOMPARE(window->geometry(), left);
        QCOMPARE(expandedCatalogs(*window), QStringList({"Mechanics", "Beams"}));
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

QTEST_MAIN(WindowMemoryTest)
#include "windowmemory_test.moc"
