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
        , conversion_(StatusText::layoutConversion(store_.conversion()))
    {
        line_.installEventFilter(this);
        connect(&window, &form1::calculationFailed, this, &StatusLine::tell);
        connect(&window, &form1::calculated, this, &StatusLine::tell);
        connect(&window, &form1::recalled, this, &StatusLine::tell);
        connect(&window.messages(), &Messages::noticed, this, &StatusLine::tell);
        connect(window.controls().Tvwmain, &QTreeWidget::itemClicked, this, &StatusLine::clearNote);
        connect(window.controls().Tvwmain, &QTreeWidget::currentItemChanged, this, &StatusLine::clearNote);
        // Told until the user starts to work: the last session's node made current again is no start.
        connect(&window, &form1::calculated, this, &StatusLine::clearConversion);
        connect(window.controls().Tvwmain, &QTreeWidget::itemClicked, this, &StatusLine::clearConversion);
        connect(&window.messages(), &Messages::troubleShown, this, &StatusLine::show);
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

    void clearConversion()
    {
        conversion_.clear();
        show();
    }

    // The note, or else the library's state, or else what opening did to it; what does not fit
    // is in the tooltip.
    void show()
    {
        QString text = note_.isEmpty() ? StatusText::libraryState(store_.readOnly(), store_.damaged()) : note_;
        if (text.isEmpty())
            text = conversion_;
        const QString fits = line_.fontMetrics().elidedText(text, Qt::ElideRight, line_.contentsRect().width());
        line_.setText(fits);
        line_.setToolTip(fits == text ? QString() : text);
    }

    Store& store_;
    QLabel& line_;
    // What the last command had to say: why Calculate added nothing, what it gave, what a
    // recall or a refusal found.
    QString note_;
    QString conversion_;
};

} // namespace

void connectStatusLine(form1& window)
{
    new StatusLine(window);
}
