#include "layout/contextmenu.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

bool asksFromKeyboard(const QEvent* event)
{
    if (event->type() == QEvent::ContextMenu)
        return static_cast<const QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
    if (event->type() != QEvent::KeyPress)
        return false;
    // Not every window system makes these keys a menu event of its own.
    const QKeyCombination keys = static_cast<const QKeyEvent*>(event)->keyCombination();
    return keys == QKeyCombination(Qt::Key_Menu) || keys == QKeyCombination(Qt::ShiftModifier, Qt::Key_F10);
}

} // namespace

std::optional<QPoint> contextMenuAt(QAbstractItemView& view, const QObject* watched, const QEvent* event)
{
    if (watched == view.viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<const QMouseEvent*>(event);
        if (press->button() != Qt::RightButton)
            return std::nullopt;
        const QPoint at = press->position().toPoint();
        // The menu's commands act on what the user pointed at.
        if (const QModelIndex pointed = view.indexAt(at); pointed.isValid())
            view.setCurrentIndex(pointed.siblingAtColumn(0));
        return at;
    }
    if (watched != &view || !asksFromKeyboard(event))
        return std::nullopt;
    const QModelIndex current = view.currentIndex();
    if (!current.isValid())
        return QPoint(0, 0);
    view.scrollTo(current);
    return view.visualRect(current).center();
}

bool deleteKeyOn(const QAbstractItemView& view, const QObject* watched, const QEvent* event)
{
    return watched == &view && event->type() == QEvent::KeyPress
        && static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Delete;
}
