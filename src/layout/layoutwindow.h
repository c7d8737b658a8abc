#pragma once

#include "layout/layoutcontrol.h"

#include <QString>

// A window whose controls are kept in proportion to its inner size.
class LayoutWindow
{
public:
    virtual ~LayoutWindow() = default;

    // Identifies the window's records for the program's lifetime.
    virtual QString name() const = 0;

    // Outer geometry, recorded for completeness only.
    virtual double top() const = 0;
    virtual double left() const = 0;
    virtual double width() const = 0;
    virtual double height() const = 0;

    // The inner size in the units the controls are placed in.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    // The window's controls, in the order they are laid out.
    virtual int controlCount() const = 0;
    virtual LayoutControl& control(int i) = 0;
};
