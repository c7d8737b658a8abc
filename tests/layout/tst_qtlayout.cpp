#include "layout/module1.h"
#include "layout/qtlayout.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

namespace {

// Lays its children out the way the main window does, from its resize event.
class ScaledWindow : public QWidget
{
protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        resizeAllControls(layouts_, *this);
    }

private:
    Module1 layouts_;
};

} // namespace

class TestQtLayout : public QObject
{
    Q_OBJECT

private slots:
    void scalesChildWithWindow();
    void restoresDesignedGeometryExactly();
};

void TestQtLayout::scalesChildWithWindow()
{
    ScaledWindow window;
    window.setObjectName("form1");
    auto* button = new QPushButton("Calculate", &window);
    button->setObjectName("button");
    button->setGeometry(40, 30, 120, 60);
    // A child window is no control: it keeps its place on screen.
    auto* dialog = new QDialog(&window);
    dialog->setObjectName("dialog");
    dialog->setGeometry(50, 60, 70, 80);

    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(600, 450);
    QTRY_COMPARE(button->geometry(), QRect(60, 45, 180, 90));
    QCOMPARE(dialog->geometry(), QRect(50, 60, 70, 80));

    window.resize(400, 300);
    QTRY_COMPARE(button->geometry(), QRect(40, 30, 120, 60));
}

// Sizes scale in whole percent, truncated, and a parked control stays parked; however often
// and to whatever odd sizes the window is resized, its designed size brings back the designed
// geometry exactly.
void TestQtLayout::restoresDesignedGeometryExactly()
{
    constexpr int parked = -Module1::ParkingOffset;
    QWidget window;
    window.setObjectName("form1");
    window.resize(3000, 3000);
    const QList<QRect> designed{{1015, 400, 3000, 300}, {120, 720, 2655, 4335}, {720 + parked, 0, 375, 255}};
    QList<QWidget*> controls;
    for (const QRect& rect : designed) {
        controls << new QWidget(&window);
        controls.constLast()->setObjectName(QStringLiteral("control%1").arg(controls.size()));
        controls.constLast()->setGeometry(rect);
    }
    Module1 layouts;
    resizeAllControls(layouts, window);
    window.resize(1000, 2000);
    resizeAllControls(layouts, window);
    QCOMPARE(controls[0]->geometry(), QRect(334, 264, 990, 198));
    QCOMPARE(controls[2]->geometry(), QRect(237 + parked, 0, 123, 168));

    for (const QSize size : {QSize(7, 3), QSize(1, 1)}) {
        window.resize(size);
        resizeAllControls(layouts, window);
    }
    for (int i = 1; i <= 60; ++i) {
        window.resize(3000 + (i * 137) % 2001 - 1000, 3000 + (i * 251) % 1501 - 750);
        resizeAllControls(layouts, window);
    }
    window.resize(3000, 3000);
    resizeAllControls(layouts, window);
    for (int i = 0; i < designed.size(); ++i)
        QCOMPARE(controls[i]->geometry(), designed[i]);
}

QTEST_MAIN(TestQtLayout)
#include "tst_qtlayout.moc"
