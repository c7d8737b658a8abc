#pragma once

#include <optional>

class QAbstractItemView;
class QEvent;
class QObject;
class QPoint;

// Whether event, sent to watched, asks for view's context menu, and where it opens, in the
// coordinates of view's viewport. With the mouse, a right press on the viewport asks for it at
// the pointer, and the item pressed becomes current first. From the keyboard, the menu key or
// Shift+F10 while view has the focus (or the window system's own keyboard menu event) asks for
// it on the current item, brought into view; with none, at the viewport's corner.
std::optional<QPoint> contextMenuAt(QAbstractItemView& view, const QObject* watched, const QEvent* event);

// Whether event, sent to watched, is the Delete key pressed while view has the focus: the key
// that deletes the item the view's commands work on.
bool deleteKeyOn(const QAbstractItemView& view, const QObject* watched, const QEvent* event);
