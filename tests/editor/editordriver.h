#pragma once

#include "editor/formulas.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QDialog;
class QTreeWidget;
class Store;
class form1;

// Acting on the formula editor and the parameter dialogs as a user does, through their real
// widgets.
namespace EditorDriver {

// Selects the node captioned caption (the root when empty) and triggers the menu entry; the
// editor it opened, or null.
QWidget* openEditor(form1& window, const QString& caption, const char* entry);
// The editor open now, or null.
QWidget* openedEditor();

template <class Widget>
Widget& child(const QWidget& parent, const char* name)
{
    return *parent.findChild<Widget*>(QLatin1String(name));
}
void click(const QWidget& dialog, const char* button);

// The editor's fields as a formula, its parameter list included; and the other way round.
Formula shown(const QWidget& editor);
void fill(const QWidget& editor, const Formula& formula);

// Runs body on the modal dialog the next command opens; a dialog body leaves open is
// cancelled afterwards. Tells whether a dialog opened.
std::shared_ptr<bool> onModal(const std::function<void(QDialog&)>& body);
void typeParameter(const QDialog& dialog, const FormulaParameter& parameter);
FormulaParameter typedParameter(const QDialog& dialog);
// Adds the parameters through "Add Para", each entered with the Enter key.
void addParameters(const QWidget& editor, const QList<FormulaParameter>& parameters);

// A left click on row (an empty part of the list when row is past the last one).
void clickRow(QTreeWidget& list, int row);
QList<QStringList> rows(const QTreeWidget& list);
QStringList symbols(const QTreeWidget& list);

// Where the tree, CataConstruct and the item tables disagree, in words; empty when they agree.
QString disagreement(form1& window, Store& store);

} // namespace EditorDriver
