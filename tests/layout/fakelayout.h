#pragma once

#include "layout/layoutcontrol.h"
#include "layout/layoutwindow.h"

#include <QRect>
#include <QSize>
#include <vector>

// A box, or a line whose end points x1, y1, x2, y2 sit in the places of x, y, width, height.
// A NoHeight control takes position and width but refuses any height.
class FakeControl final : public LayoutControl
{
public:
    enum Kind { Box, Line, NoHeight };

    FakeControl(const QString& name, QRect rect, Kind kind = Box, std::optional<int> index = {})
        : controlName(name), arrayIndex(index), kind(kind), rect(rect) {}

    QString controlName;
    std::optional<int> arrayIndex;
    Kind kind;
    QRect rect;
    bool integralHeight = true;
    int moves = 0;

    QString name() const override { return controlName; }
    std::optional<int> index() const override { return arrayIndex; }
    bool isLine() const override { return kind == Line; }

    std::optional<double> left() const override { return boxPart(rect.x()); }
    std::optional<double> top() const override { return boxPart(rect.y()); }
    std::optional<double> width() const override { return boxPart(rect.width()); }
    std::optional<double> height() const override { return boxPart(rect.height()); }

    std::optional<double> x1() const override { return linePart(rect.x()); }
    std::optional<double> y1() const override { return linePart(rect.y()); }
    std::optional<double> x2() const override { return linePart(rect.width()); }
    std::optional<double> y2() const override { return linePart(rect.height()); }
    bool setX1(int v) override { return setEnd(&QRect::moveLeft, v); }
    bool setY1(int v) override { return setEnd(&QRect::moveTop, v); }
    bool setX2(int v) override { return setEnd(&QRect::setWidth, v); }
    bool setY2(int v) override { return setEnd(&QRect::setHeight, v); }

    bool setIntegralHeight(bool on) override { integralHeight = on; return true; }

    bool move(int l, int t, int w, int h) override { return take(kind == Box, QRect(l, t, w, h)); }
    bool move(int l, int t, int w) override { return take(kind != Line, QRect(l, t, w, rect.height())); }
    bool move(int l, int t) override { return take(kind != Line, QRect(QPoint(l, t), rect.size())); }

private:
    bool setEnd(void (QRect::*set)(int), int v)
    {
        if (isLine())
            (rect.*set)(v);
        return isLine();
    }
    bool take(bool accepted, QRect r)
    {
        ++moves;
        if (accepted)
            rect = r;
        return accepted;
    }
    std::optional<double> boxPart(int v) const { return isLine() ? std::nullopt : std::optional<double>(v); }
    std::optional<double> linePart(int v) const { return isLine() ? std::optional<double>(v) : std::nullopt; }
};

// A window whose outer size is its inner size.
class FakeWindow final : public LayoutWindow
{
public:
    FakeWindow(QSize size, std::vector<FakeControl> controls) : size(size), controls(std::move(controls)) {}

    QSize size;
    std::vector<FakeControl> controls;
    QString windowName = QStringLiteral("form1");

    QString name() const override { return windowName; }
    double top() const override { return 0; }
    double left() const override { return 0; }
    double width() const override { return size.width(); }
    double height() const override { return size.height(); }
    double scaleWidth() const override { return size.width(); }
    double scaleHeight() const override { return size.height(); }
    int controlCount() const override { return int(controls.size()); }
    LayoutControl& control(int i) override { return controls[std::size_t(i)]; }
};
