#pragma once

#include <QMap>
#include <QStringList>
#include <memory>
#include <optional>

class Store;
class QTreeWidget;
class form1;

// Acting on the variable dialog and the variable list as a user does. Fields and entries are
// given as symbol, name, value, unit, description: the order of the list's columns.
namespace VariableDriver {

// The fields given, then empty ones up to five.
QStringList five(QStringList fields);

struct DialogOutcome
{
    bool shown = false;
    QString caption;
    QStringList initialFields;
    bool nextEnabled = false;
    bool stayedOpen = false;
    QStringList fieldsAfter;  // after the last press
};
// Fills the variable dialog opened by what runs next with each set of fields in turn, pressing
// button ("Command1" OK, "Command3" Next) after each; a dialog still open at the end is cancelled.
std::shared_ptr<DialogOutcome> answerDialog(const QList<QStringList>& entries, const char* button = "Command1");

QList<QStringList> listEntries(const QTreeWidget& list);
// The table of a level of the sample library (empty: the root), whose catalogs were never renamed.
QString sampleTable(const QString& level);
// Every variable of the library as stored, by table: GlobalVariant and each catalog's table.
QMap<QString, QList<QStringList>> storedVariables(Store& store);

// A left click on the list's entry of that symbol, or below the last entry.
void clickEntry(form1& window, const QString& symbol);
void doubleClickEntry(form1& window, const QString& symbol);
// A right press on the entry; the names of the enabled entries of the menu it opened, which is
// then closed, or nullopt when no menu opened.
std::optional<QStringList> rightClickEntry(form1& window, const QString& symbol);

} // namespace VariableDriver
