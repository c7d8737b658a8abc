#pragma once

#include "editor/frmaddnewfun.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class Messages;
class QAction;
class QLineEdit;
class QWidget;
class Store;
class Units;

// Opens the formula editor from the main window: "Add Formula" on a catalog or the root,
// "Modify Formula" (and the double click) on a formula. The window stays disabled while the
// editor is open, and is told what the editor stored so that its tree shows it.
class EditorLauncher : public QObject
{
    Q_OBJECT
public:
    // The main window's controls the launcher works with; Text2 is the editor's mode field.
    struct Controls
    {
        QWidget& window;
        QLineEdit& Text2;
        QAction& mnewfun;
        QAction& mnewfunroot;
        QAction& mmodfun;
        Frmaddnewfun::Menus menus;
    };
    // The tree key of the node selected in the tree when it is of the kind asked for; nullopt
    // otherwise.
    using Selected = std::function<std::optional<QString>()>;

    EditorLauncher(const Controls& controls, Store& store, Messages& messages, Units& units, Selected catalogOrRoot,
                   Selected formula);

    void mnewfun_Click();
    void mmodfun_Click();

signals:
    // What the editor stored: see Frmaddnewfun.
    void formulaAdded(const QString& parentKey, const QString& name);
    void formulaModified(const QString& key, const QString& name);

private:
    void openFormulaEditor(Messages::Label mode, const QString& key);

    Controls ui_;
    Store& store_;
    Messages& messages_;
    Units& units_;
    Selected catalogOrRoot_;
    Selected formula_;
};
