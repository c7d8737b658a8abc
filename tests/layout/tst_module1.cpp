#include "fakelayout.h"
#include "layout/module1.h"

#include <QTest>

namespace {

constexpr int parked = -Module1::ParkingOffset;

void layOut(Module1& layouts, FakeWindow& window, QSize size)
{
    window.size = size;
    layouts.ResizeAllControls(window);
}

} // namespace

class TestModule1 : public QObject
{
    Q_OBJECT

private slots:
    void scalesFromDesignedGeometry_data();
    void scalesFromDesignedGeometry();
    void restoresDesignedGeometryExactly();
    void tellsControlsApartByWindowAndIndex();
};

void TestModule1::scalesFromDesignedGeometry_data()
{
    QTest::addColumn<QSize>("designed");
    QTest::addColumn<QSize>("resized");
    QTest::addColumn<FakeControl::Kind>("kind");
    QTest::addColumn<QRect>("control");
    QTest::addColumn<int>("recordedLeft");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("150% both ways") << QSize(4000, 2000) << QSize(6000, 3000) << FakeControl::Box
        << QRect(1000, 400, 2000, 300) << 1000 << QRect(1500, 600, 3000, 450);
    QTest::newRow("a third is 33%, two thirds 66%") << QSize(3000, 3000) << QSize(1000, 2000) << FakeControl::Box
        << QRect(1015, 400, 3000, 300) << 1015 << QRect(334, 264, 990, 198);
    QTest::newRow("parked stays parked") << QSize(1000, 1000) << QSize(2000, 2000) << FakeControl::Box
        << QRect(1000 + parked, 100, 300, 200) << 1000 << QRect(2000 + parked, 200, 600, 400);
    QTest::newRow("line by its end points") << QSize(1000, 1000) << QSize(1500, 2000) << FakeControl::Line
        << QRect(100, 200, 300, 400) << 100 << QRect(150, 400, 450, 800);
    QTest::newRow("refused height") << QSize(1000, 1000) << QSize(2000, 2000) << FakeControl::NoHeight
        << QRect(100, 100, 100, 100) << 100 << QRect(200, 200, 200, 100);
}

void TestModule1::scalesFromDesignedGeometry()
{
    QFETCH(QSize, designed);
    QFETCH(QSize, resized);
    QFETCH(FakeControl::Kind, kind);
    QFETCH(QRect, control);
    QFETCH(int, recordedLeft);
    QFETCH(QRect, expected);

    Module1 layouts;
    FakeWindow window(designed, {FakeControl("Ctl", control, kind)});
    const FakeControl& c = window.controls.front();
    layOut(layouts, window, designed);
    QCOMPARE(c.rect, control);
    QCOMPARE(layouts.ControlLayouts().at(0).Left, recordedLeft);
    QVERIFY(!c.integralHeight);

    layOut(layouts, window, resized);
    QCOMPARE(c.rect, expected);
    QCOMPARE(c.moves == 0, kind == FakeControl::Line);
}

void TestModule1::restoresDesignedGeometryExactly()
{
    const QSize designed(6615, 6600);
    FakeWindow window(designed, {FakeControl("Tvwmain", {120, 720, 2655, 4335}),
                                 FakeControl("ListView1", {2887, 4561, 3613, 1933}),
                                 FakeControl("Command3", {720 + parked, 0, 375, 255}),
                                 FakeControl("Line1", {13, 777, 6599, 781}, FakeControl::Line)});
    const std::vector<FakeControl> before = window.controls;

    Module1 layouts;
    layOut(layouts, window, designed);
    layOut(layouts, window, {7, 3});
    layOut(layouts, window, {1, 1});
    for (int i = 1; i <= 60; ++i)
        layOut(layouts, window, {6615 + (i * 137) % 4001 - 2000, 6600 + (i * 251) % 3001 - 1500});
    layOut(layouts, window, designed);

    for (std::size_t i = 0; i < before.size(); ++i)
        QCOMPARE(window.controls[i].rect, before[i].rect);
    QCOMPARE(layouts.ControlLayouts().size(), before.size());
}

void TestModule1::tellsControlsApartByWindowAndIndex()
{
    Module1 layouts;
    FakeWindow form1({1000, 1000}, {FakeControl("Option1", {100, 100, 50, 20}, FakeControl::Box, 0),
                                    FakeControl("Option1", {100, 300, 80, 20}, FakeControl::Box, 1)});
    FakeWindow form2({500, 500}, {FakeControl("Option1", {10, 10, 10, 10}, FakeControl::Box, 0)});
    form2.windowName = QStringLiteral("form2");
    layOut(layouts, form1, {1000, 1000});
    layOut(layouts, form2, {500, 500});
    layOut(layouts, form1, {2000, 2000});
    layOut(layouts, form2, {1000, 1000});
    QCOMPARE(form1.controls[0].rect, QRect(200, 200, 100, 40));
    QCOMPARE(form1.controls[1].rect, QRect(200, 600, 160, 40));
    QCOMPARE(form2.controls[0].rect, QRect(20, 20, 20, 20));
}

QTEST_GUILESS_MAIN(TestModule1)
#include "tst_module1.moc"
