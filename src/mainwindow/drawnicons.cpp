#include "mainwindow/drawnicons.h"

#include <QPainter>
#include <QPixmap>

namespace {

// The size of a small icon, which the tree and the menu bar show.
constexpr int Side = 16;

// A small icon: what draw paints, with outline as the pen, on a transparent square.
template <typename Draw>
QIcon drawn(const QColor& outline, qreal penWidth, Draw draw)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, penWidth));
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QIcon overflowArrow()
{
    return drawn(QColor(0x40, 0x40, 0x40), 1.5, [](QPainter& painter) {
        // Two chevrons pointing right: more items than the bar has room for.
        for (const double x : {4.0, 8.5})
            painter.drawPolyline(QPolygonF({QPointF(x, 4.5), QPointF(x + 3.5, 8.0), QPointF(x, 11.5)}));
    });
}

} // namespace

namespace DrawnIcons {

QIcon folder()
{
    return drawn(QColor(0x9a, 0x74, 0x1c), 1, [](QPainter& painter) {
        painter.setBrush(QColor(0xf2, 0xc5, 0x55));
        painter.drawPolygon(QPolygonF({{1.5, 3.5}, {6.0, 3.5}, {7.5, 5.0}, {14.5, 5.0}, {14.5, 13.5}, {1.5, 13.5}}));
        painter.setBrush(QColor(0xf8, 0xda, 0x86));
        painter.drawRect(QRectF(1.5, 6.5, 13.0, 7.0));
    });
}

QIcon formula()
{
    return drawn(QColor(0x5a, 0x66, 0x78), 1, [](QPainter& painter) {
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF({{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}}));
        painter.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
        // Lines of text on the sheet.
        painter.setPen(QPen(QColor(0x8d, 0x99, 0xab), 1));
        for (const double y : {7.5, 9.5, 11.5})
            painter.drawLine(QPointF(5.0, y), QPointF(11.0, y));
    });
}

} // namespace DrawnIcons

QIcon DrawnIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton)
        return overflowArrow();
    return QProxyStyle::standardIcon(icon, option, widget);
}
