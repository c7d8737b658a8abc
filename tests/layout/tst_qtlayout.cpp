#include "layout/module1.h"
#include "layout/qtlayout.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Lays its children out the way the main window does, from its resize event.
class ScaledWindow : public QWidget
{
public:
    ScaledWindow() { setObjectName("form1"); }

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
    void scalesChildWithWindow_data();
    void scalesChildWithWindow();
};

void TestQtLayout::scalesChildWithWindow_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("hidden");

    QTest::newRow("button") << "button" << false;
    QTest::newRow("hidden label") << "label" << true;
    QTest::newRow("list without integral height") << "list" << false;
}

void TestQtLayout::scalesChildWithWindow()
{
    QFETCH(QString, kind);
    QFETCH(bool, hidden);

    ScaledWindow window;
    QWidget* child = kind == "button" ? static_cast<QWidget*>(new QPushButton("Calculate", &window))
                   : kind == "label"  ? static_cast<QWidget*>(new QLabel("Label5", &window))
                                      : static_cast<QWidget*>(new QListWidget(&window));
    child->setObjectName("child");
    child->setGeometry(40, 30, 120, 60);
    child->setHidden(hidden);
    // A child window is no control: it keeps its place on screen.
    auto* dialog = new QDialog(&window);
    dialog->setObjectName("dialog");
    dialog->setGeometry(50, 60, 70, 80);

    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(child->geometry(), QRect(40, 30, 120, 60));

    window.resize(600, 450);
    QTRY_COMPARE(child->geometry(), QRect(60, 45, 180, 90));
    QCOMPARE(dialog->geometry(), QRect(50, 60, 70, 80));

    window.resize(400, 300);
    QTRY_COMPARE(child->geometry(), QRect(40, 30, 120, 60));
}

QTEST_MAIN(TestQtLayout)
#include "tst_qtlayout.moc"
