#include "layout/focusmarker.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>

namespace {

constexpr int FrameWidth = 2;

// A frame in the highlight colour over the edge of the control it belongs to, letting the
// pointer through.
class FocusFrame final : public QWidget
{
public:
    explicit FocusFrame(QWidget& control)
        : QWidget(&control)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Active, QPalette::Highlight), FrameWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(FrameWidth / 2.0, FrameWidth / 2.0, -FrameWidth / 2.0, -FrameWidth / 2.0));
    }
};

class FocusMarker final : public QObject
{
public:
    explicit FocusMarker(QWidget& window)
        : QObject(&window)
        , window_(window)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (frame_ && watched == frame_->parentWidget() && event->type() == QEvent::Resize)
            frame_->setGeometry(frame_->parentWidget()->rect());
        return false;
    }

private:
    void follow(QWidget* focused)
    {
        auto* control = qobject_cast<QAbstractScrollArea*>(focused);
        if (!control || !window_.isAncestorOf(control)) {
            if (frame_)
                frame_->hide();
            return;
        }
        if (!frame_ || frame_->parentWidget() != control) {
            if (frame_) {
                frame_->parentWidget()->removeEventFilter(this);
                delete frame_;
            }
            frame_ = new FocusFrame(*control);
            control->installEventFilter(this);
        }
        frame_->setGeometry(control->rect());
        frame_->raise();
        frame_->show();
    }

    QWidget& window_;
    // Belongs to the control it frames, and goes with it.
    QPointer<FocusFrame> frame_;
};

} // namespace

void markFocus(QWidget& window)
{
    new FocusMarker(window);
}
