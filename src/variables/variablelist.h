#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class Messages;
class QAction;
class QEvent;
class QMenu;
class QPoint;
class QTreeWidget;
class Store;

// The variable list of the main window: the variables of the level selected in the tree, with
// the commands that add, change and delete them.
class VariableList : public QObject
{
    Q_OBJECT
public:
    // The main window's controls the list works with.
    struct Controls
    {
        QTreeWidget& ListView2;
        QMenu& Rmoddelvar;
        QAction& mdefval;
        QAction& mdefvarroot;
        QAction& Rmodvar;
        QAction& Rdelvar;
        QAction& Rdelallvar;
    };
    // The level the list shows and its commands change: the selected catalog's caption, or an
    // empty text for the root; nullopt when neither is selected.
    using Level = std::function<std::optional<QString>()>;

    VariableList(const Controls& controls, Store& store, Messages& messages, Level level);

    // The column headers, at load.
    void setUp();
    void clear();
    void LoadVariableTable(const QString& table);
    // Modify and Delete are offered when the list shows any variable, after the tree showed a
    // level (or a formula, which leaves the last level's variables listed).
    void offerChanges();
    void enableVariableEntries(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mdefval_Click();
    void Rmodvar_Click();
    void Rdelvar_Click();
    void Rdelallvar_Click();
    void ListView2_Click();
    void ListView2_DblClick();
    void ListView2_KeyDown(int keyCode);
    void ListView2_MouseDown(Qt::MouseButton button, const QPoint& position);

    Controls ui_;
    Store& store_;
    Messages& messages_;
    Level level_;
};
