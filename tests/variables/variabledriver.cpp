#include "variabledriver.h"

#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "variables/frmaddvar.h"
#include "variables/listrow.h"

#include <QApplication>
#include <QMenu>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>

namespace {

QStringList dialogFields(QDialog& dialog)
{
    QStringList fields;
    for (const char* box : {"Text1", "Text2", "Text4", "Text3"})
        fields << dialog.findChild<QLineEdit*>(box)->text();
    return fields << dialog.findChild<QPlainTextEdit*>("Text5")->toPlainText();
}

void typeFields(QDialog& dialog, const QStringList& fields)
{
    int i = 0;
    for (const char* box : {"Text1", "Text2", "Text4", "Text3"})
        dialog.findChild<QLineEdit*>(box)->setText(fields.value(i++));
    dialog.findChild<QPlainTextEdit*>("Text5")->setPlainText(fields.value(i));
}

QPoint entryPoint(QTreeWidget& list, const QString& symbol)
{
    const auto found = list.findItems(symbol, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return {list.viewport()->width() / 2, list.viewport()->height() - 2};
    return list.visualItemRect(found.constFirst()).center();
}

} // namespace

QStringList VariableDriver::five(QStringList fields)
{
    while (fields.size() < 5)
        fields << QString();
    return fields;
}

std::shared_ptr<VariableDriver::DialogOutcome> VariableDriver::answerDialog(const QList<QStringList>& entries,
                                                                            const char* button)
{
    auto outcome = std::make_shared<DialogOutcome>();
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<Frmaddvar*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        outcome->shown = true;
        outcome->caption = dialog->windowTitle();
        outcome->initialFields = dialogFields(*dialog);
        outcome->nextEnabled = dialog->findChild<QPushButton*>("Command3")->isEnabled();
        for (const QStringList& fields : entries) {
            typeFields(*dialog, fields);
            dialog->findChild<QPushButton*>(button)->click();
            if (!dialog->isVisible())
                break;
        }
        outcome->fieldsAfter = dialogFields(*dialog);
        outcome->stayedOpen = dialog->isVisible();
        if (outcome->stayedOpen)
            dialog->findChild<QPushButton*>("Command2")->click();
    });
    return outcome;
}

QList<QStringList> VariableDriver::listEntries(const QTreeWidget& list)
{
    QList<QStringList> entries;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        entries << listRowFields(*list.topLevelItem(i));
    return entries;
}

QString VariableDriver::sampleTable(const QString& level)
{
    return level.isEmpty() ? "GlobalVariant" : level;
}

QMap<QString, QList<QStringList>> VariableDriver::storedVariables(Store& store)
{
    QStringList tables{"GlobalVariant"};
    for (const QSqlRecord& catalog : store.query("select * from CataConstruct where flag=1"))
        tables << catalog.value("indtable").toString();
    QMap<QString, QList<QStringList>> variables;
    for (const QString& table : tables) {
        QTreeWidget rows;
        for (const QSqlRecord& row : store.query("select * from " + sqlName(table)))
            addListRow(rows, row);
        variables.insert(table, listEntries(rows));
    }
    return variables;
}

void VariableDriver::clickEntry(form1& window, const QString& symbol)
{
    QTreeWidget& list = *window.controls().ListView2;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, entryPoint(list, symbol));
}

void VariableDriver::doubleClickEntry(form1& window, const QString& symbol)
{
    QTreeWidget& list = *window.controls().ListView2;
    const QPoint point = entryPoint(list, symbol);
    // QTest sends the double click alone; a user's comes after a click and before a release.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, point);
}

std::optional<QStringList> VariableDriver::rightClickEntry(form1& window, const QString& symbol)
{
    auto enabled = std::make_shared<std::optional<QStringList>>();
    QTimer::singleShot(0, [enabled] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        *enabled = QStringList();
        for (const QAction* entry : menu->actions()) {
            if (entry->isEnabled())
                (*enabled)->append(entry->objectName());
        }
        menu->close();
    });
    QTreeWidget& list = *window.controls().ListView2;
    QTest::mousePress(list.viewport(), Qt::RightButton, {}, entryPoint(list, symbol));
    QCoreApplication::processEvents();
    return *enabled;
}
