#include "mainwindow/windowmemory.h"

#include "mainwindow/form1.h"
#include "ui_form1.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTreeWidgetItemIterator>
#include <QWindow>

namespace {

const QString Geometry = QStringLiteral("MainWindow/geometry");
const QString Maximized = QStringLiteral("MainWindow/maximized");
const QString Expanded = QStringLiteral("MainWindow/expandedNodes");
const QString Selected = QStringLiteral("MainWindow/selectedNode");

// Height of the strip along a window's top edge where its title bar hangs.
constexpr int TitleBarHeight = 24;

// The frame the window system puts around the window, as far as it has told it.
QMargins frameMargins(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// Opens the window where all of it can be reached. One whose title bar is on no screen cannot
// be moved back by the user: it goes to the middle of the primary screen. One larger than the
// free area of its screen (a size left on a larger screen, or a large scale factor) is fitted
// into that area, its minimum size too, so that its bottom line stays in view.
void fitOnScreen(QWidget& window)
{
    const QMargins frame = frameMargins(window);
    QRect outer = window.geometry().marginsAdded(frame);
    const QRect titleBar(outer.topLeft(), QSize(outer.width(), TitleBarHeight));
    const QScreen* screen = nullptr;
    for (const QScreen* candidate : QGuiApplication::screens())
        if (!screen && candidate->availableGeometry().intersects(titleBar))
            screen = candidate;
    const bool lost = !screen;
    if (lost && !(screen = QGuiApplication::primaryScreen()))
        return;
    const QRect available = screen->availableGeometry();
    if (!lost && outer.width() <= available.width() && outer.height() <= available.height())
        return;
    window.setMinimumSize(window.minimumSize().boundedTo(available.size().shrunkBy(frame)));
    outer.setSize(outer.size().boundedTo(available.size()));
    if (lost)
        outer.moveCenter(available.center());
    else
        outer.moveTo(qBound(available.left(), outer.left(), available.right() - outer.width() + 1),
                     qBound(available.top(), outer.top(), available.bottom() - outer.height() + 1));
    window.setGeometry(outer.marginsRemoved(frame));
}

void restore(form1& window, const QSettings& settings)
{
    const QRect geometry = settings.value(Geometry).toRect();
    if (geometry.isValid())
        window.setGeometry(geometry);
    // Its frame is not known yet; the first show fits the window again when it is.
    fitOnScreen(window);
    if (settings.value(Maximized).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);

    FormulaTree& tree = window.tree();
    if (settings.contains(Expanded)) {
        tree.root()->setExpanded(false);
        for (const QString& key : settings.value(Expanded).toStringList())
            if (QTreeWidgetItem* node = tree.find(key))
                node->setExpanded(true);
    }
    // The node is shown as a click shows it; one that has left the library is not looked for.
    if (QTreeWidgetItem* node = tree.find(settings.value(Selected).toString()))
        window.controls().Tvwmain->setCurrentItem(node);
}

void save(form1& window, QSettings& settings)
{
    // A search still showing ends first: what comes back is the tree as the user keeps it.
    window.controls().FindBox->clear();
    settings.setValue(Geometry, window.normalGeometry());
    settings.setValue(Maximized, window.isMaximized());
    QStringList expanded;
    for (QTreeWidgetItemIterator it(window.controls().Tvwmain); *it; ++it)
        if ((*it)->isExpanded())
            expanded << FormulaTree::key(*it);
    settings.setValue(Expanded, expanded);
    const QTreeWidgetItem* current = window.controls().Tvwmain->currentItem();
    settings.setValue(Selected, current ? FormulaTree::key(current) : QString());
    settings.sync();
}

// Fits the window on its screen as it first shows, its frame known by then; saves the state
// as it closes, before it hides and forgets anything.
class StateWatcher final : public QObject
{
public:
    StateWatcher(form1& window, QSettings& settings)
        : QObject(&window)
        , window_(window)
        , settings_(settings)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::Show && !shown_) {
            shown_ = true;
            if (!(window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                fitOnScreen(window_);
        } else if (event->type() == QEvent::Close) {
            save(window_, settings_);
        }
        return false;
    }

private:
    form1& window_;
    QSettings& settings_;
    bool shown_ = false;
};

} // namespace

void rememberWindowState(form1& window, QSettings& settings)
{
    restore(window, settings);
    new StateWatcher(window, settings);
}
