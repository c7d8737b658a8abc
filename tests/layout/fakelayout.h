#pragma once

#include "layout/layoutcontrol.h"
#include "layout/layoutwindow.h"

#include <QString>
#include <deque>
#include <optional>

// A control whose properties are plain values; an empty value is a property it lacks.
class FakeControl final : public LayoutControl
{
public:
    // Which forms of move the control takes; a shorter form is taken whenever a longer one is.
    enum class Moves { All, NoHeight, PositionOnly, None };

    static FakeControl rectangle(const QString& name, double l, double t, double w, double h)
    {
        FakeControl c(name);
        c.l = l; c.t = t; c.w = w; c.h = h;
        return c;
    }

    static FakeControl line(const QString& name, double x1, double y1, double x2, double y2)
    {
        FakeControl c(name);
        c.lineShaped = true;
        c.lineX1 = x1; c.lineY1 = y1; c.lineX2 = x2; c.lineY2 = y2;
        c.moves = Moves::None;
        return c;
    }

    // A control with no position at all, such as a menu item.
    static FakeControl positionless(const QString& name)
    {
        FakeControl c(name);
        c.moves = Moves::None;
        return c;
    }

    QString controlName;
    std::optional<int> arrayIndex;
    bool lineShaped = false;
    std::optional<double> l, t, w, h;
    std::optional<double> lineX1, lineY1, lineX2, lineY2;
    Moves moves = Moves::All;
    bool integralHeight = true;
    int moveCalls = 0;

    QString name() const override { return controlName; }
    std::optional<int> index() const override { return arrayIndex; }
    bool isLine() const override { return lineShaped; }

    std::optional<double> left() const override { return l; }
    std::optional<double> top() const override { return t; }
    std::optional<double> width() const override { return w; }
    std::optional<double> height() const override { return h; }

    std::optional<double> x1() const override { return lineX1; }
    std::optional<double> y1() const override { return lineY1; }
    std::optional<double> x2() const override { return lineX2; }
    std::optional<double> y2() const override { return lineY2; }
    bool setX1(int v) override { return set(lineX1, v); }
    bool setY1(int v) override { return set(lineY1, v); }
    bool setX2(int v) override { return set(lineX2, v); }
    bool setY2(int v) override { return set(lineY2, v); }

    bool setIntegralHeight(bool on) override
    {
        integralHeight = on;
        return true;
    }

    bool move(int left, int top, int width, int height) override
    {
        ++moveCalls;
        if (moves != Moves::All)
            return false;
        l = left; t = top; w = width; h = height;
        return true;
    }

    bool move(int left, int top, int width) override
    {
        ++moveCalls;
        if (moves != Moves::All && moves != Moves::NoHeight)
            return false;
        l = left; t = top; w = width;
        return true;
    }

    bool move(int left, int top) override
    {
        ++moveCalls;
        if (moves == Moves::None)
            return false;
        l = left; t = top;
        return true;
    }

private:
    explicit FakeControl(const QString& name) : controlName(name) {}

    static bool set(std::optional<double>& property, int v)
    {
        if (!property)
            return false;
        property = v;
        return true;
    }
};

// A window of a given inner size owning its controls; the outer geometry is unused.
class FakeWindow final : public LayoutWindow
{
public:
    FakeWindow(const QString& name, double scaleW, double scaleH)
        : windowName(name), scaleW(scaleW), scaleH(scaleH)
    {
    }

    FakeControl& add(FakeControl control)
    {
        controls.push_back(std::move(control));
        return controls.back();
    }

    void resizeTo(double w, double h)
    {
        scaleW = w;
        scaleH = h;
    }

    QString windowName;
    double scaleW;
    double scaleH;
    std::deque<FakeControl> controls;

    QString name() const override { return windowName; }
    double top() const override { return 0; }
    double left() const override { return 0; }
    double width() const override { return scaleW; }
    double height() const override { return scaleH; }
    double scaleWidth() const override { return scaleW; }
    double scaleHeight() const override { return scaleH; }
    int controlCount() const override { return int(controls.size()); }
    LayoutControl& control(int i) override { return controls[std::size_t(i)]; }
};
