#include "mainwindow/windowmemory.h"

#include "mainwindow/form1.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTreeWidgetItemIterator>

namespace {

const QString Geometry = QStringLiteral("MainWindow/geometry");
const QString Maximized = QStringLiteral("MainWindow/maximized");
const QString Expanded = QStringLiteral("MainWindow/expandedNodes");
const QString Selected = QStringLiteral("MainWindow/selectedNode");

// A window whose top edge (where its title bar hangs) is on no screen cannot be moved back by
// the user: it goes to the middle of the primary screen instead.
QRect onSomeScreen(QRect frame)
{
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), 24));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(titleBar))
            return frame;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect available = primary->availableGeometry();
        frame.setSize(frame.size().boundedTo(available.size()));
        frame.moveCenter(available.center());
    }
    return frame;
}

void restore(form1& window, const QSettings& settings)
{
    const QRect geometry = settings.value(Geometry).toRect();
    if (geometry.isValid())
        window.setGeometry(onSomeScreen(geometry));
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

// Saves the state as the window closes, before it hides and forgets anything.
class CloseWatcher final : public QObject
{
public:
    CloseWatcher(form1& window, QSettings& settings)
        : QObject(&window)
        , window_(window)
        , settings_(settings)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Close)
            save(window_, settings_);
        return false;
    }

private:
    form1& window_;
    QSettings& settings_;
};

} // namespace

void rememberWindowState(form1& window, QSettings& settings)
{
    restore(window, settings);
    new CloseWatcher(window, settings);
}
