#pragma once

#include <QString>
#include <optional>

// A control as the layout engine sees it: any kind of control, read and written through
// generic properties. A property the control lacks reads as empty and refuses writes; the
// engine then skips that step and carries on.
class LayoutControl
{
public:
    virtual ~LayoutControl() = default;

    virtual QString name() const = 0;
    // Empty when the control is not an element of a control array.
    virtual std::optional<int> index() const = 0;
    // A line has end points instead of a rectangle.
    virtual bool isLine() const = 0;

    virtual std::optional<double> left() const = 0;
    virtual std::optional<double> top() const = 0;
    virtual std::optional<double> width() const = 0;
    virtual std::optional<double> height() const = 0;

    virtual std::optional<double> x1() const = 0;
    virtual std::optional<double> y1() const = 0;
    virtual std::optional<double> x2() const = 0;
    virtual std::optional<double> y2() const = 0;
    virtual bool setX1(int value) = 0;
    virtual bool setY1(int value) = 0;
    virtual bool setX2(int value) = 0;
    virtual bool setY2(int value) = 0;

    // List-type controls snap their height to whole rows while this is on.
    virtual bool setIntegralHeight(bool on) = 0;

    // Each form can fail on its own: a control that takes no height may still take the
    // position and width.
    virtual bool move(int left, int top, int width, int height) = 0;
    virtual bool move(int left, int top, int width) = 0;
    virtual bool move(int left, int top) = 0;
};
