#pragma once

#include <QIcon>
#include <QProxyStyle>

// Pictures drawn in code rather than taken from the style. The style's own come from image
// files, and the first of them makes Qt look through its image and icon plugins: a cost paid at
// every start, larger than the drawing.
namespace DrawnIcons {
QIcon folder();
QIcon formula();
}

// The application's style, but with the menu bar's overflow arrow drawn: the menu bar asks for
// it as it is made, which would otherwise make the first window pay for the plugin search.
class DrawnIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
};
