#pragma once

#include "layout/layoutcontrol.h"
#include "layout/layoutwindow.h"

#include <memory>
#include <vector>

class Module1;
class QWidget;

// A child widget as a layout control, in pixels. Widgets belong to no control array, have
// no end points and no integral height; they take every form of move.
class WidgetLayoutControl final : public LayoutControl
{
public:
    explicit WidgetLayoutControl(QWidget& widget);

    QString name() const override;
    std::optional<int> index() const override;
    bool isLine() const override;

    std::optional<double> left() const override;
    std::optional<double> top() const override;
    std::optional<double> width() const override;
    std::optional<double> height() const override;

    std::optional<double> x1() const override;
    std::optional<double> y1() const override;
    std::optional<double> x2() const override;
    std::optional<double> y2() const override;
    bool setX1(int value) override;
    bool setY1(int value) override;
    bool setX2(int value) override;
    bool setY2(int value) override;

    bool setIntegralHeight(bool on) override;

    bool move(int left, int top, int width, int height) override;
    bool move(int left, int top, int width) override;
    bool move(int left, int top) override;

private:
    QWidget& widget_;
};

// A top-level widget as a layout window, in pixels. Its controls are its direct child
// widgets in child order, hidden ones included; child windows such as dialogs and popup
// menus are not controls. The window and its controls are told apart by object name, so
// each needs a distinct one. The control list is taken when the adapter is made.
class WidgetLayoutWindow final : public LayoutWindow
{
public:
    explicit WidgetLayoutWindow(QWidget& window);

    QString name() const override;
    double top() const override;
    double left() const override;
    double width() const override;
    double height() const override;
    double scaleWidth() const override;
    double scaleHeight() const override;
    int controlCount() const override;
    LayoutControl& control(int i) override;

private:
    QWidget& window_;
    std::vector<std::unique_ptr<WidgetLayoutControl>> controls_;
};

// Lays out every control of the window against the records in layouts; the first call for a
// window records its current geometry as the designed one. Meant for the window's resize
// event.
void resizeAllControls(Module1& layouts, QWidget& window);
