#include "editordriver.h"

#include "editor/frmaddnewfun.h"
#include "guidriver.h"
#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

QWidget* EditorDriver::openEditor(form1& window, const QString& caption, const char* entry)
{
    GuiDriver::clickNode(window, caption);
    GuiDriver::trigger(window, entry);
    return openedEditor();
}

QWidget* EditorDriver::openedEditor()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Frmaddnewfun*>(widget) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void EditorDriver::click(const QWidget& dialog, const char* button)
{
    QTest::mouseClick(&child<QPushButton>(dialog, button), Qt::LeftButton);
}

Formula EditorDriver::shown(const QWidget& editor)
{
    Formula formula{child<QLineEdit>(editor, "Text1").text(), child<QLineEdit>(editor, "Text2").text(),
                    child<QLineEdit>(editor, "Text3").text(), child<QLineEdit>(editor, "Text4").text(),
                    child<QPlainTextEdit>(editor, "Text5").toPlainText(), child<QComboBox>(editor, "Combo1").currentText(),
                    {}};
    for (const QStringList& row : rows(child<QTreeWidget>(editor, "ListView1")))
        formula.parameters.append(FormulaParameter::fromListFields(row));
    return formula;
}

void EditorDriver::fill(const QWidget& editor, const Formula& formula)
{
    child<QLineEdit>(editor, "Text1").setText(formula.name);
    child<QLineEdit>(editor, "Text2").setText(formula.function);
    child<QLineEdit>(editor, "Text3").setText(formula.unit);
    child<QLineEdit>(editor, "Text4").setText(formula.expression);
    child<QPlainTextEdit>(editor, "Text5").setPlainText(formula.description);
    child<QComboBox>(editor, "Combo1").setEditText(formula.precision);
    addParameters(editor, formula.parameters);
}

std::shared_ptr<bool> EditorDriver::onModal(const std::function<void(QDialog&)>& body)
{
    auto shown = std::make_shared<bool>(false);
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *shown = true;
        body(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    return shown;
}

void EditorDriver::typeParameter(const QDialog& dialog, const FormulaParameter& parameter)
{
    child<QLineEdit>(dialog, "Text2").setText(parameter.symbol);
    child<QLineEdit>(dialog, "Text1").setText(parameter.name);
    child<QLineEdit>(dialog, "Text3").setText(parameter.value);
    child<QLineEdit>(dialog, "Text4").setText(parameter.unit);
    child<QPlainTextEdit>(dialog, "Text6").setPlainText(parameter.description);
}

FormulaParameter EditorDriver::typedParameter(const QDialog& dialog)
{
    return {child<QLineEdit>(dialog, "Text1").text(), child<QLineEdit>(dialog, "Text2").text(),
            child<QLineEdit>(dialog, "Text4").text(), child<QLineEdit>(dialog, "Text3").text(),
            child<QPlainTextEdit>(dialog, "Text6").toPlainText()};
}

void EditorDriver::addParameters(const QWidget& editor, const QList<FormulaParameter>& parameters)
{
    if (parameters.isEmpty())
        return;
    onModal([=](QDialog& dialog) {
        for (const FormulaParameter& parameter : parameters) {
            typeParameter(dialog, parameter);
            QTest::keyClick(&child<QLineEdit>(dialog, "Text1"), Qt::Key_Return);
        }
    });
    click(editor, "Command3");
}

void EditorDriver::clickRow(QTreeWidget& list, int row)
{
    QPoint point(10, 5);
    if (row < list.topLevelItemCount())
        point = list.visualItemRect(list.topLevelItem(row)).center();
    else if (list.topLevelItemCount() > 0)
        point = list.visualItemRect(list.topLevelItem(list.topLevelItemCount() - 1)).bottomLeft() + QPoint(10, 20);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
}

QList<QStringList> EditorDriver::rows(const QTreeWidget& list)
{
    QList<QStringList> all;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        QStringList fields;
        for (int column = 0; column < list.columnCount(); ++column)
            fields << list.topLevelItem(i)->text(column);
        all << fields;
    }
    return all;
}

QStringList EditorDriver::symbols(const QTreeWidget& list)
{
    QStringList all;
    for (const QStringList& row : rows(list))
        all << row.value(0);
    return all;
}

namespace {

int countBelow(const QTreeWidgetItem* node)
{
    int count = node->childCount();
    for (int i = 0; i < node->childCount(); ++i)
        count += countBelow(node->child(i));
    return count;
}

} // namespace

QString EditorDriver::disagreement(form1& window, Store& store)
{
    FormulaTree& tree = window.tree();
    const Rows items = store.query("select * from CataConstruct");
    if (countBelow(tree.root()) != items.size())
        return QString("%1 nodes, %2 rows").arg(countBelow(tree.root())).arg(items.size());
    for (const QSqlRecord& item : items) {
        const QString caption = item.value("caption").toString();
        const QString belongto = item.value("belongto").toString();
        const QTreeWidgetItem* node = tree.find(caption);
        if (!node || node->text(0) != caption)
            return "no node " + caption;
        if (node->parent() != (belongto == caption ? tree.root() : tree.find(belongto)))
            return "parent of " + caption;
        if (FormulaTree::isFolder(node) != (item.value("flag").toInt() == 1))
            return "image of " + caption;
        const QString table = item.value("indtable").toString();
        if (!store.tableExists(table))
            return "no table of " + caption;
        if (item.value("flag").toInt() == 0) {
            const Rows own = store.query("select * from " + sqlName(table) + " where ispara=0");
            if (own.size() != 1 || own.at(0).value("name").toString() != caption)
                return "formula row of " + caption;
        }
    }
    return {};
}
