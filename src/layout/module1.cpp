#include "layout/module1.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

bool fitsInt32(double value)
{
    return value >= std::numeric_limits<std::int32_t>::min()
        && value <= std::numeric_limits<std::int32_t>::max();
}

// Property values are stored as whole numbers, the nearest one (ties to even); a value that
// is missing or outside 32 bits cannot be stored.
std::optional<int> rounded(std::optional<double> value)
{
    if (!value)
        return std::nullopt;
    const double r = std::nearbyint(*value);
    if (!fitsInt32(r))
        return std::nullopt;
    return static_cast<int>(r);
}

void store(std::int32_t& field, std::optional<double> value)
{
    if (const auto r = rounded(value))
        field = *r;
}

void storeNormalized(std::int32_t& field, std::optional<double> value)
{
    if (const auto r = rounded(value))
        field = Module1::NormalizeLeft(*r);
}

bool isParked(std::optional<double> currentX)
{
    return currentX && *currentX < 0;
}

// recorded × percent div 100, truncated, moved out of sight again when the control is
// parked now; empty when the result leaves 32 bits.
std::optional<int> scaled(std::int32_t recorded, int percent, bool parked = false)
{
    std::int64_t v = std::int64_t(recorded) * percent / 100;
    if (parked)
        v -= Module1::ParkingOffset;
    if (!fitsInt32(double(v)))
        return std::nullopt;
    return static_cast<int>(v);
}

int percent(double current, std::int32_t recorded)
{
    const auto hundredfold = rounded(current * 100);
    // A window first laid out with no inner size gives nothing to scale from: the controls
    // keep their recorded geometry.
    if (!hundredfold || recorded == 0)
        return 100;
    return *hundredfold / recorded;
}

} // namespace

void Module1::ResizeAllControls(LayoutWindow& window)
{
    for (int i = 0; i < window.controlCount(); ++i)
        ResizeControl(window.control(i), window);
}

void Module1::ResizeControl(LayoutControl& control, LayoutWindow& window)
{
    const int yp = HeightPercent(window);
    const int xp = WidthPercent(window);
    const int i = FindControlLayout(control, window.name());
    // A control added after the window was recorded has nothing to scale from.
    if (i < 0)
        return;
    const LayoutRecord& r = controlLayouts_[std::size_t(i)];

    if (control.isLine()) {
        if (const auto x1 = scaled(r.Left, xp, isParked(control.x1())))
            control.setX1(*x1);
        if (const auto y1 = scaled(r.Top, yp))
            control.setY1(*y1);
        if (const auto x2 = scaled(r.Width, xp, isParked(control.x2())))
            control.setX2(*x2);
        if (const auto y2 = scaled(r.Height, yp))
            control.setY2(*y2);
        return;
    }

    const auto left = scaled(r.Left, xp, isParked(control.left()));
    const auto top = scaled(r.Top, yp);
    const auto width = scaled(r.Width, xp);
    const auto height = scaled(r.Height, yp);
    if (!left || !top)
        return;
    // Each shorter form is a fallback for a control that refuses the longer one.
    if (width && height && control.move(*left, *top, *width, *height))
        return;
    if (width && control.move(*left, *top, *width))
        return;
    control.move(*left, *top);
}

int Module1::WidthPercent(LayoutWindow& window)
{
    const int i = formLayoutIndex(window);
    return percent(window.scaleWidth(), formLayouts_[std::size_t(i)].ScaleWidth);
}

int Module1::HeightPercent(LayoutWindow& window)
{
    const int i = formLayoutIndex(window);
    return percent(window.scaleHeight(), formLayouts_[std::size_t(i)].ScaleHeight);
}

int Module1::FindFormLayout(const LayoutWindow& window) const
{
    const QString name = window.name();
    for (std::size_t i = 0; i < formLayouts_.size(); ++i) {
        if (formLayouts_[i].Name == name)
            return int(i);
    }
    return -1;
}

int Module1::RegisterFormLayout(LayoutWindow& window)
{
    LayoutRecord r;
    r.Name = window.name();
    store(r.Top, window.top());
    store(r.Left, window.left());
    store(r.Height, window.height());
    store(r.Width, window.width());
    store(r.ScaleHeight, window.scaleHeight());
    store(r.ScaleWidth, window.scaleWidth());
    formLayouts_.push_back(r);
    const int index = int(formLayouts_.size()) - 1;

    for (int i = 0; i < window.controlCount(); ++i) {
        LayoutControl& control = window.control(i);
        if (FindControlLayout(control, r.Name) == -1)
            RegisterControlLayout(control, r.Name);
    }
    return index;
}

int Module1::FindControlLayout(const LayoutControl& control, const QString& formName) const
{
    const QString name = control.name();
    const std::optional<int> index = control.index();
    for (std::size_t i = 0; i < controlLayouts_.size(); ++i) {
        const LayoutRecord& r = controlLayouts_[i];
        if (r.FormName == formName && r.Name == name && (!index || r.Index == *index))
            return int(i);
    }
    return -1;
}

int Module1::RegisterControlLayout(LayoutControl& control, const QString& formName)
{
    LayoutRecord r;
    r.Name = control.name();
    r.Index = control.index().value_or(0);
    r.FormName = formName;
    if (control.isLine()) {
        store(r.Top, control.y1());
        storeNormalized(r.Left, control.x1());
        store(r.Height, control.y2());
        storeNormalized(r.Width, control.x2());
    } else {
        store(r.Top, control.top());
        storeNormalized(r.Left, control.left());
        store(r.Height, control.height());
        store(r.Width, control.width());
    }
    // Lets list-type controls take any height from now on instead of whole rows.
    control.setIntegralHeight(false);
    controlLayouts_.push_back(r);
    return int(controlLayouts_.size()) - 1;
}

int Module1::NormalizeLeft(int x)
{
    return x >= 0 ? x : x + ParkingOffset;
}

int Module1::formLayoutIndex(LayoutWindow& window)
{
    const int i = FindFormLayout(window);
    return i == -1 ? RegisterFormLayout(window) : i;
}
