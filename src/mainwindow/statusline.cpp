#include "mainwindow/statusline.h"

#include "store/store.h"

#include <QEvent>
#include <QLabel>

namespace {

// Empty when the library can be worked with.
QString libraryState(bool readOnly, bool damaged)
{
    if (damaged)
        return QStringLiteral("Library is damaged: nothing more is written to it.");
    if (readOnly)
        return QStringLiteral("Library is read-only: nothing can be changed or recorded.");
    return {};
}

// What opening did to a library of the older layout; empty when there was nothing to do, or
// when it was found damaged (which libraryState tells).
QString layoutConversion(const LayoutConversion::Outcome& outcome)
{
    if (outcome.tables > 0) {
        return QStringLiteral("Library converted to the current layout: the tables of its %1 catalogs and formulas "
                              "now open and delete quickly.")
            .arg(outcome.tables);
    }
    if (outcome.problem.isEmpty() || outcome.damaged)
        return {};
    return QStringLiteral("Library left in its earlier layout (%1): it works, more slowly; the next start tries again.")
        .arg(outcome.busy ? QStringLiteral("another program was using it") : outcome.problem);
}

} // namespace

StatusLine::StatusLine(QLabel& line, Store& store)
    : QObject(&line)
    , store_(store)
    , line_(line)
    , conversion_(layoutConversion(store.conversion()))
{
    line_.installEventFilter(this);
    show();
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event)
{
    // The layout changes the line's width; what fits of the text changes with it.
    if (watched == &line_ && event->type() == QEvent::Resize)
        show();
    return false;
}

void StatusLine::tell(const QString& note)
{
    note_ = note;
    show();
}

void StatusLine::clearConversion()
{
    conversion_.clear();
    show();
}

void StatusLine::show()
{
    // The note, or else the library's state, or else what opening did to it; what does not fit
    // is in the tooltip.
    QString text = note_.isEmpty() ? libraryState(store_.readOnly(), store_.damaged()) : note_;
    if (text.isEmpty())
        text = conversion_;
    const QString fits = line_.fontMetrics().elidedText(text, Qt::ElideRight, line_.contentsRect().width());
    line_.setText(fits);
    line_.setToolTip(fits == text ? QString() : text);
}
