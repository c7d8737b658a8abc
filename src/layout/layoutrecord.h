#pragma once

#include <QString>
#include <cstdint>

// The geometry of a window or of one of its controls as it was first laid out, in the
// window's scale units. Every later layout scales from these values, never from the current
// ones, so rounding never builds up over repeated resizes.
struct LayoutRecord
{
    QString Name;
    // Position within a control array; 0 for a window and for a control outside any array.
    std::int32_t Index = 0;
    // The window that holds the control; empty in a window's record.
    QString FormName;
    // For a line these four hold its end points: Top = Y1, Left = X1, Height = Y2, Width = X2.
    // Left (and a line's X2) is the visible position, with any parking offset taken off.
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Height = 0;
    std::int32_t Width = 0;
    // A window's inner size, the basis of its percentages; 0 in a control's record.
    std::int32_t ScaleHeight = 0;
    std::int32_t ScaleWidth = 0;
};
