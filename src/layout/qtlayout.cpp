#include "layout/qtlayout.h"

#include "layout/module1.h"

#include <QWidget>

WidgetLayoutControl::WidgetLayoutControl(QWidget& widget)
    : widget_(widget)
{
}

QString WidgetLayoutControl::name() const { return widget_.objectName(); }
std::optional<int> WidgetLayoutControl::index() const { return std::nullopt; }
bool WidgetLayoutControl::isLine() const { return false; }

std::optional<double> WidgetLayoutControl::left() const { return widget_.x(); }
std::optional<double> WidgetLayoutControl::top() const { return widget_.y(); }
std::optional<double> WidgetLayoutControl::width() const { return widget_.width(); }
std::optional<double> WidgetLayoutControl::height() const { return widget_.height(); }

std::optional<double> WidgetLayoutControl::x1() const { return std::nullopt; }
std::optional<double> WidgetLayoutControl::y1() const { return std::nullopt; }
std::optional<double> WidgetLayoutControl::x2() const { return std::nullopt; }
std::optional<double> WidgetLayoutControl::y2() const { return std::nullopt; }
bool WidgetLayoutControl::setX1(int) { return false; }
bool WidgetLayoutControl::setY1(int) { return false; }
bool WidgetLayoutControl::setX2(int) { return false; }
bool WidgetLayoutControl::setY2(int) { return false; }

// Qt item views already take any height.
bool WidgetLayoutControl::setIntegralHeight(bool) { return false; }

bool WidgetLayoutControl::move(int left, int top, int width, int height)
{
    widget_.setGeometry(left, top, width, height);
    return true;
}

bool WidgetLayoutControl::move(int left, int top, int width)
{
    widget_.setGeometry(left, top, width, widget_.height());
    return true;
}

bool WidgetLayoutControl::move(int left, int top)
{
    widget_.move(left, top);
    return true;
}

WidgetLayoutWindow::WidgetLayoutWindow(QWidget& window)
    : window_(window)
{
    const auto children = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (!child->isWindow())
            controls_.push_back(std::make_unique<WidgetLayoutControl>(*child));
    }
}

QString WidgetLayoutWindow::name() const { return window_.objectName(); }
double WidgetLayoutWindow::top() const { return window_.y(); }
double WidgetLayoutWindow::left() const { return window_.x(); }
double WidgetLayoutWindow::width() const { return window_.frameGeometry().width(); }
double WidgetLayoutWindow::height() const { return window_.frameGeometry().height(); }
double WidgetLayoutWindow::scaleWidth() const { return window_.width(); }
double WidgetLayoutWindow::scaleHeight() const { return window_.height(); }
int WidgetLayoutWindow::controlCount() const { return int(controls_.size()); }
LayoutControl& WidgetLayoutWindow::control(int i) { return *controls_[std::size_t(i)]; }

void resizeAllControls(Module1& layouts, QWidget& window)
{
    WidgetLayoutWindow adapted(window);
    layouts.ResizeAllControls(adapted);
}
