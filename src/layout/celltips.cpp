#include "layout/celltips.h"

#include "store/textrules.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyleOption>
#include <QToolTip>

namespace {

// Serves the tooltips of one view, from its viewport's tooltip events.
class TipServer final : public QObject
{
public:
    TipServer(QAbstractItemView& view, CellTips::Details details)
        : QObject(&view)
        , view_(view)
        , details_(std::move(details))
    {
        view.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != view_.viewport() || event->type() != QEvent::ToolTip)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = view_.indexAt(help->pos());
        const QString tip = index.isValid() ? CellTips::text(view_, index, details_) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, view_.viewport(), view_.visualRect(index));
        return true;
    }

private:
    QAbstractItemView& view_;
    CellTips::Details details_;
};

} // namespace

void CellTips::install(QAbstractItemView& view, Details details)
{
    new TipServer(view, std::move(details));
}

bool CellTips::cutOff(const QAbstractItemView& view, const QModelIndex& index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return false;
    if (text.contains(u'\n'))
        return true;
    const QRect inSight = view.visualRect(index).intersected(view.viewport()->rect());
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = inSight;
    option.widget = &view;
    option.font = view.font();
    const int smallIcon = view.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &view);
    option.decorationSize = view.iconSize().isValid() ? view.iconSize() : QSize(smallIcon, smallIcon);
    // What the cell needs to show the text whole, with its icon and margins, as the view draws it.
    const QSize needed = view.itemDelegateForIndex(index)->sizeHint(option, index);
    return needed.width() > inSight.width();
}

QString CellTips::text(const QAbstractItemView& view, const QModelIndex& index, const Details& details)
{
    if (details) {
        if (QString more = details(index); !more.isEmpty())
            return more;
    }
    return cutOff(view, index) ? TextRules::shown(index.data(Qt::DisplayRole).toString()) : QString();
}
