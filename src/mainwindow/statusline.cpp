#include "mainwindow/statusline.h"

#include "mainwindow/form1.h"
#include "mainwindow/statustext.h"
#include "store/store.h"

#include <QEvent>

namespace {

class StatusLine final : public QObject
{
public:
    explicit StatusLine(form1& window)
        : QObject(&window)
        , store_(window.store())
        , line_(*window.controls().StatusLine)
    {
        line_.installEventFilter(this);
        connect(&window, &form1::calculationFailed, this, &StatusLine::tell);
        connect(&window, &form1::calculated, this, &StatusLine::tell);
        connect(&window, &form1::recalled, this, &StatusLine::tell);
        connect(window.controls().Tvwmain, &QTreeWidget::itemClicked, this, &StatusLine::clearNote);
        connect(window.controls().Tvwmain, &QTreeWidget::currentItemChanged, this, &StatusLine::clearNote);
        connect(&window, &form1::libraryTroubleShown, this, &StatusLine::show);
        show();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The layout changes the line's width; what fits of the text changes with it.
        if (watched == &line_ && event->type() == QEvent::Resize)
            show();
        return false;
    }

private:
    void tell(const QString& note)
    {
        note_ = note;
        show();
    }

    void clearNote() { tell({}); }

    // The note, or else the library's state; what does not fit is in the tooltip.
    void show()
    {
        const QString text = note_.isEmpty() ? StatusText::libraryState(store_.readOnly(), store_.damaged()) : note_;
        const QString fits = line_.fontMetrics().elidedText(text, Qt::ElideRight, line_.contentsRect().width());
        line_.setText(fits);
        line_.setToolTip(fits == text ? QString() : text);
    }

    Store& store_;
    QLabel& line_;
    QString note_;
};

} // namespace

void connectStatusLine(form1& window)
{
    new StatusLine(window);
}
