#pragma once

#include "layout/layoutcontrol.h"
#include "layout/layoutrecord.h"
#include "layout/layoutwindow.h"

#include <QString>
#include <vector>

// Keeps every control of a window in proportion to the window's inner size. A window is
// recorded with all its controls the first time it is laid out; every later layout places
// each control at its recorded geometry times the window's size relative to the recorded
// one, in whole percent. Records are kept for the owner's lifetime and never dropped, so a
// window is recorded once per name. Failures of single control properties are skipped.
class Module1
{
public:
    // How far left a control is moved to hide it; such a control is recorded at its visible
    // position and stays hidden after scaling.
    static constexpr int ParkingOffset = 75000;

    void ResizeAllControls(LayoutWindow& window);
    void ResizeControl(LayoutControl& control, LayoutWindow& window);

    // The window's current inner width (height) in whole percent of the recorded one,
    // truncated; records the window first when it has no record yet.
    int WidthPercent(LayoutWindow& window);
    int HeightPercent(LayoutWindow& window);

    // Index into FormLayouts(), or -1.
    int FindFormLayout(const LayoutWindow& window) const;
    // Records the window and every control of it not recorded yet; returns the new index.
    int RegisterFormLayout(LayoutWindow& window);

    // Index into ControlLayouts(), or -1. A control without an array index matches on its
    // name and the window name alone.
    int FindControlLayout(const LayoutControl& control, const QString& formName) const;
    // Returns the index of the new record.
    int RegisterControlLayout(LayoutControl& control, const QString& formName);

    // The visible position of a possibly parked x coordinate.
    static int NormalizeLeft(int x);

    const std::vector<LayoutRecord>& FormLayouts() const { return formLayouts_; }
    const std::vector<LayoutRecord>& ControlLayouts() const { return controlLayouts_; }

private:
    int formLayoutIndex(LayoutWindow& window);

    std::vector<LayoutRecord> formLayouts_;
    std::vector<LayoutRecord> controlLayouts_;
};
