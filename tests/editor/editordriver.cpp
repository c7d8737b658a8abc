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

namespace {

// The text of a line, a text box or an editable combo box named box.
QString text(const QWidget& dialog, const char* box)
{
    const QWidget* widget = dialog.findChild<QWidget*>(QLatin1String(box));
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return line->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return qobject_cast<const QPlainTextEdit*>(widget)->toPlainText();
}

void setTexts(const QWidget& dialog, const QList<std::pair<const char*, QString>>& texts)
{
    for (const auto& [box, text] : texts) {
        QWidget* widget = dialog.findChild<QWidget*>(QLatin1String(box));
        if (auto* line = qobject_cast<QLineEdit*>(widget))
            line->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setEditText(text);
        else
            qobject_cast<QPlainTextEdit*>(widget)->setPlainText(text);
    }
}

} // namespace

Formula EditorDriver::shown(const QWidget& editor)
{
    Formula formula{text(editor, "Text1"), text(editor, "Text2"), text(editor, "Text3"), text(editor, "Text4"),
                    text(editor, "Text5"), text(editor, "Combo1"), {}};
    for (const QStringList& row : rows(child<QTreeWidget>(editor, "ListView1")))
        formula.parameters.append(FormulaParameter::fromListFields(row));
    return formula;
}

void EditorDriver::fill(const QWidget& editor, const Formula& formula)
{
    setTexts(editor, {{"Text1", formula.name}, {"Text2", formula.function}, {"Text3", formula.unit},
                      {"Text4", formula.expression}, {"Text5", formula.description}, {"Combo1", formula.precision}});
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
    setTexts(dialog, {{"Text2", parameter.symbol}, {"Text1", parameter.name}, {"Text3", parameter.value},
                      {"Text4", parameter.unit}, {"Text6", parameter.description}});
}

FormulaParameter EditorDriver::typedParameter(const QDialog& dialog)
{
    return {text(dialog, "Text1"), text(dialog, "Text2"), text(dialog, "Text4"), text(dialog, "Text3"), text(dialog, "Text6")};
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
    // Every row found its node; no other node may be left over.
    if (countBelow(tree.root()) != items.size())
        return QString("%1 nodes, %2 rows").arg(countBelow(tree.root())).arg(items.size());
    return {};
}
