#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class form1;
class QAbstractItemView;
class QModelIndex;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

// Acting on the main window as a user does, through its real widgets.
namespace GuiDriver {

QTreeWidgetItem* node(form1& window, const QString& caption);
// A left click on the node's row in the tree.
void clickNode(form1& window, QTreeWidgetItem* node);
void clickNode(form1& window, const QString& caption);
// A right press on the node's row; opens the node's menu.
void rightClickNode(form1& window, const QString& caption);
void pressDeleteInTree(form1& window);
// The texts of a list's rows, each as its first columns; five by default, a variable's or
// parameter's.
QList<QStringList> listRows(const QTreeWidget& list, int columns = 5);
// The texts of one column of a list, a row each.
QStringList columnTexts(const QTreeWidget& list, int column = 0);
// A left click on a list's row, or on the empty part below the rows when row is past the last;
// returns the point clicked, in the list's viewport.
QPoint clickRow(QTreeWidget& list, int row);
// Triggers the main window's menu entry named entry.
void trigger(form1& window, const char* entry);
// The whole text of the status line, also when it is cut short.
QString statusLine(form1& window);
// The tooltip the pointer resting on the cell brings up; empty when none comes.
QString tipOver(QAbstractItemView& view, const QModelIndex& index);

// Fills the open catalog dialog and presses OK, when the dialog is opened by what runs next;
// beforeOk runs while the dialog is open, just before. A dialog still open after OK (a refused
// input) is cancelled; stayedOpen tells.
struct CatalogDialogOutcome
{
    bool shown = false;
    bool stayedOpen = false;
    QString caption;
    QString initialName;
    QString initialDescription;
};
std::shared_ptr<CatalogDialogOutcome> answerCatalogDialog(const QString& name, const QString& description,
                                                          const std::function<void()>& beforeOk = {});

} // namespace GuiDriver
