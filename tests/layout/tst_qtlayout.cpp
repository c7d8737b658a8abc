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

QTEST_MAIN(TestQtLayout)
#include "tst_qtlayout.moc"
