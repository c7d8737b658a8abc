#include "fakelayout.h"
#include "layout/module1.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QTest>

namespace {

constexpr int parked = -Module1::ParkingOffset;

QRect geometry(const FakeControl& c)
{
    return QRect(int(*c.l), int(*c.t), int(*c.w), int(*c.h));
}

// A line's end points x1, y1, x2, y2 in the places of x, y, width, height.
QRect ends(const FakeControl& c)
{
    return QRect(int(*c.lineX1), int(*c.lineY1), int(*c.lineX2), int(*c.lineY2));
}

QRect footprint(const FakeControl& c)
{
    return c.isLine() ? ends(c) : geometry(c);
}

// Lays the window out at its current size, which the first time is its designed size.
void layOut(Module1& layouts, FakeWindow& window, double w, double h)
{
    window.resizeTo(w, h);
    layouts.ResizeAllControls(window);
}

} // namespace

class TestModule1 : public QObject
{
    Q_OBJECT

private slots:
    void scalesFromDesignedGeometry_data();
    void scalesFromDesignedGeometry();
    void percentOfDesignedSize_data();
    void percentOfDesignedSize();
    void recordsVisiblePosition_data();
    void recordsVisiblePosition();
    void restoresDesignedGeometryExactly_data();
    void restoresDesignedGeometryExactly();
    void findsControlByWindowNameAndIndex_data();
    void findsControlByWindowNameAndIndex();
    void scalesArrayMembersSeparately();
    void scalesLineByEndPoints_data();
    void scalesLineByEndPoints();
    void takesWhatAControlAccepts_data();
    void takesWhatAControlAccepts();
    void leavesLaterControlsAlone();
};

void TestModule1::scalesFromDesignedGeometry_data()
{
    QTest::addColumn<QSize>("designed");
    QTest::addColumn<QSize>("resized");
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("150% both ways") << QSize(4000, 2000) << QSize(6000, 3000)
        << QRect(1000, 400, 2000, 300) << QRect(1500, 600, 3000, 450);
    QTest::newRow("a third of the width is 33%") << QSize(3000, 3000) << QSize(1000, 3000)
        << QRect(1000, 400, 3000, 300) << QRect(330, 400, 990, 300);
    QTest::newRow("each direction by its own percentage") << QSize(1000, 1000) << QSize(2000, 500)
        << QRect(100, 100, 100, 100) << QRect(200, 50, 200, 50);
    QTest::newRow("designed size") << QSize(6615, 6600) << QSize(6615, 6600)
        << QRect(2880, 4560, 3615, 1935) << QRect(2880, 4560, 3615, 1935);
    QTest::newRow("parked stays parked at 200%") << QSize(1000, 1000) << QSize(2000, 2000)
        << QRect(1000 + parked, 100, 300, 200) << QRect(2000 + parked, 200, 600, 400);
    QTest::newRow("parked stays parked at 50%") << QSize(1000, 1000) << QSize(500, 500)
        << QRect(1000 + parked, 100, 300, 200) << QRect(500 + parked, 50, 150, 100);
    QTest::newRow("negative top truncates towards zero") << QSize(3000, 3000) << QSize(1000, 1000)
        << QRect(0, -150, 10, 10) << QRect(0, -49, 3, 3);
}

void TestModule1::scalesFromDesignedGeometry()
{
    QFETCH(QSize, designed);
    QFETCH(QSize, resized);
    QFETCH(QRect, control);
    QFETCH(QRect, expected);

    Module1 layouts;
    FakeWindow window("form1", designed.width(), designed.height());
    FakeControl& c = window.add(FakeControl::rectangle(
        "Text1", control.x(), control.y(), control.width(), control.height()));

    layOut(layouts, window, designed.width(), designed.height());
    QCOMPARE(geometry(c), control);
    layOut(layouts, window, resized.width(), resized.height());
    QCOMPARE(geometry(c), expected);
}

void TestModule1::percentOfDesignedSize_data()
{
    QTest::addColumn<QSize>("designed");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("widthPercent");
    QTest::addColumn<int>("heightPercent");

    QTest::newRow("designed") << QSize(6615, 6600) << 6615.0 << 6600.0 << 100 << 100;
    QTest::newRow("wider than high") << QSize(1000, 1000) << 1500.0 << 800.0 << 150 << 80;
    QTest::newRow("truncated") << QSize(3000, 3000) << 2999.0 << 1000.0 << 99 << 33;
    QTest::newRow("rounded before dividing") << QSize(3000, 3000) << 1499.996 << 3000.0 << 50 << 100;
    QTest::newRow("below one percent") << QSize(3000, 3000) << 29.0 << 3000.0 << 0 << 100;
}

void TestModule1::percentOfDesignedSize()
{
    QFETCH(QSize, designed);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, widthPercent);
    QFETCH(int, heightPercent);

    Module1 layouts;
    FakeWindow window("form1", designed.width(), designed.height());
    QCOMPARE(layouts.HeightPercent(window), 100);
    QCOMPARE(layouts.FormLayouts().size(), std::size_t(1));

    window.resizeTo(width, height);
    QCOMPARE(layouts.WidthPercent(window), widthPercent);
    QCOMPARE(layouts.HeightPercent(window), heightPercent);
    QCOMPARE(layouts.FormLayouts().size(), std::size_t(1));
}

void TestModule1::recordsVisiblePosition_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("recordedLeft");
    QTest::addColumn<int>("recordedTop");

    QTest::newRow("visible") << 1000.0 << 400.0 << 1000 << 400;
    QTest::newRow("parked") << double(1000 + parked) << 400.0 << 1000 << 400;
    QTest::newRow("at the left edge") << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("fractions rounded") << 1000.6 << 399.4 << 1001 << 399;
    QTest::newRow("parked fraction") << double(1000 + parked) - 0.6 << 400.0 << 999 << 400;
    QTest::newRow("negative top kept") << 1000.0 << -500.0 << 1000 << -500;
}

void TestModule1::recordsVisiblePosition()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(int, recordedLeft);
    QFETCH(int, recordedTop);

    Module1 layouts;
    FakeWindow window("form1", 1000, 1000);
    FakeControl& c = window.add(FakeControl::rectangle("List1", left, top, 200, 300));
    layouts.RegisterFormLayout(window);

    QCOMPARE(layouts.ControlLayouts().size(), std::size_t(1));
    const LayoutRecord& r = layouts.ControlLayouts().front();
    QCOMPARE(r.Name, QString("List1"));
    QCOMPARE(r.FormName, QString("form1"));
    QCOMPARE(r.Index, 0);
    QCOMPARE(r.Left, recordedLeft);
    QCOMPARE(r.Top, recordedTop);
    QCOMPARE(r.Width, 200);
    QCOMPARE(r.Height, 300);
    QVERIFY(!c.integralHeight);
}

void TestModule1::restoresDesignedGeometryExactly_data()
{
    QTest::addColumn<QList<QSize>>("sizes");

    QTest::newRow("shrink and grow") << QList<QSize>{ { 3307, 3300 }, { 9922, 9900 } };
    QTest::newRow("tiny then huge") << QList<QSize>{ { 7, 3 }, { 1, 1 }, { 66150, 66000 } };
    QList<QSize> odd;
    for (int i = 1; i <= 60; ++i)
        odd << QSize(6615 + (i * 137) % 4001 - 2000, 6600 + (i * 251) % 3001 - 1500);
    QTest::newRow("sixty odd sizes") << odd;
}

void TestModule1::restoresDesignedGeometryExactly()
{
    QFETCH(QList<QSize>, sizes);

    Module1 layouts;
    FakeWindow window("form1", 6615, 6600);
    window.add(FakeControl::rectangle("Tvwmain", 120, 720, 2655, 4335));
    window.add(FakeControl::rectangle("ListView1", 2887, 4561, 3613, 1933));
    window.add(FakeControl::rectangle("Command3", 720 + parked, 0, 375, 255));
    window.add(FakeControl::line("Line1", 13, 777, 6599, 781));
    const std::deque<FakeControl> designed = window.controls;

    layOut(layouts, window, 6615, 6600);
    for (const QSize& s : sizes)
        layOut(layouts, window, s.width(), s.height());
    layOut(layouts, window, 6615, 6600);

    for (std::size_t i = 0; i < designed.size(); ++i)
        QCOMPARE(footprint(window.controls[i]), footprint(designed[i]));
    QCOMPARE(layouts.FormLayouts().size(), std::size_t(1));
    QCOMPARE(layouts.ControlLayouts().size(), designed.size());
}

void TestModule1::findsControlByWindowNameAndIndex_data()
{
    QTest::addColumn<QString>("formName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<int>>("index");
    QTest::addColumn<int>("expected");

    // Records: form1 Option1(0), Option1(1), Label1; form2 Option1(0).
    QTest::newRow("first array member") << "form1" << "Option1" << std::optional<int>(0) << 0;
    QTest::newRow("second array member") << "form1" << "Option1" << std::optional<int>(1) << 1;
    QTest::newRow("unknown array index") << "form1" << "Option1" << std::optional<int>(7) << -1;
    QTest::newRow("without index takes the first of the name")
        << "form1" << "Option1" << std::optional<int>() << 0;
    QTest::newRow("plain control") << "form1" << "Label1" << std::optional<int>() << 2;
    QTest::newRow("same name in another window") << "form2" << "Option1" << std::optional<int>(0) << 3;
    QTest::newRow("name of another window's control") << "form2" << "Label1" << std::optional<int>() << -1;
    QTest::newRow("unknown window") << "form3" << "Option1" << std::optional<int>(0) << -1;
}

void TestModule1::findsControlByWindowNameAndIndex()
{
    QFETCH(QString, formName);
    QFETCH(QString, name);
    QFETCH(std::optional<int>, index);
    QFETCH(int, expected);

    Module1 layouts;
    FakeWindow form1("form1", 1000, 1000);
    form1.add(FakeControl::rectangle("Option1", 0, 0, 10, 10)).arrayIndex = 0;
    form1.add(FakeControl::rectangle("Option1", 0, 20, 10, 10)).arrayIndex = 1;
    form1.add(FakeControl::rectangle("Label1", 0, 40, 10, 10));
    FakeWindow form2("form2", 1000, 1000);
    form2.add(FakeControl::rectangle("Option1", 0, 0, 10, 10)).arrayIndex = 0;
    layouts.RegisterFormLayout(form1);
    layouts.RegisterFormLayout(form2);

    FakeControl probe = FakeControl::rectangle(name, 0, 0, 0, 0);
    probe.arrayIndex = index;
    QCOMPARE(layouts.FindControlLayout(probe, formName), expected);
}

void TestModule1::scalesArrayMembersSeparately()
{
    Module1 layouts;
    FakeWindow window("form1", 1000, 1000);
    FakeControl& first = window.add(FakeControl::rectangle("Option1", 100, 100, 50, 20));
    first.arrayIndex = 0;
    FakeControl& second = window.add(FakeControl::rectangle("Option1", 100, 300, 80, 20));
    second.arrayIndex = 1;

    layOut(layouts, window, 1000, 1000);
    layOut(layouts, window, 2000, 2000);
    QCOMPARE(geometry(first), QRect(200, 200, 100, 40));
    QCOMPARE(geometry(second), QRect(200, 600, 160, 40));
}

void TestModule1::scalesLineByEndPoints_data()
{
    QTest::addColumn<QRect>("designed"); // x1, y1, x2, y2 as x, y, width, height
    QTest::addColumn<QRect>("expected");

    QTest::newRow("plain") << QRect(100, 200, 300, 400) << QRect(150, 300, 450, 600);
    QTest::newRow("parked start") << QRect(100 + parked, 200, 300, 400)
                                  << QRect(150 + parked, 300, 450, 600);
    QTest::newRow("parked end") << QRect(100, 200, 300 + parked, 400)
                                << QRect(150, 300, 450 + parked, 600);
}

void TestModule1::scalesLineByEndPoints()
{
    QFETCH(QRect, designed);
    QFETCH(QRect, expected);

    Module1 layouts;
    FakeWindow window("form1", 1000, 1000);
    FakeControl& line = window.add(
        FakeControl::line("Line1", designed.x(), designed.y(), designed.width(), designed.height()));
    layOut(layouts, window, 1000, 1000);
    layOut(layouts, window, 1500, 1500);

    QCOMPARE(ends(line), expected);
    QCOMPARE(line.moveCalls, 0);
}

void TestModule1::takesWhatAControlAccepts_data()
{
    QTest::addColumn<bool>("hasPosition");
    QTest::addColumn<FakeControl::Moves>("moves");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("everything") << true << FakeControl::Moves::All << QRect(200, 200, 200, 200);
    QTest::newRow("no height") << true << FakeControl::Moves::NoHeight << QRect(200, 200, 200, 100);
    QTest::newRow("position only") << true << FakeControl::Moves::PositionOnly
                                   << QRect(200, 200, 100, 100);
    QTest::newRow("no move at all") << true << FakeControl::Moves::None << QRect(100, 100, 100, 100);
    QTest::newRow("no position") << false << FakeControl::Moves::None << QRect();
}

void TestModule1::takesWhatAControlAccepts()
{
    QFETCH(bool, hasPosition);
    QFETCH(FakeControl::Moves, moves);
    QFETCH(QRect, expected);

    Module1 layouts;
    FakeWindow window("form1", 1000, 1000);
    FakeControl& c = window.add(hasPosition ? FakeControl::rectangle("Ctl", 100, 100, 100, 100)
                                            : FakeControl::positionless("mnuFile"));
    c.moves = moves;
    FakeControl& next = window.add(FakeControl::rectangle("Next", 10, 10, 10, 10));

    layOut(layouts, window, 1000, 1000);
    layOut(layouts, window, 2000, 2000);
    if (hasPosition)
        QCOMPARE(geometry(c), expected);
    else
        QVERIFY(!c.l && !c.t && !c.w && !c.h);
    QCOMPARE(geometry(next), QRect(20, 20, 20, 20));
}

void TestModule1::leavesLaterControlsAlone()
{
    Module1 layouts;
    FakeWindow window("form1", 1000, 1000);
    window.add(FakeControl::rectangle("Text1", 100, 100, 100, 100));
    layOut(layouts, window, 1000, 1000);

    FakeControl& late = window.add(FakeControl::rectangle("Text2", 100, 100, 100, 100));
    layOut(layouts, window, 2000, 2000);
    QCOMPARE(geometry(late), QRect(100, 100, 100, 100));
    QCOMPARE(layouts.FindControlLayout(late, "form1"), -1);
    QCOMPARE(geometry(window.controls.front()), QRect(200, 200, 200, 200));
}

QTEST_GUILESS_MAIN(TestModule1)
#include "tst_module1.moc"
