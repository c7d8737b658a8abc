#include "guidriver.h"

#include "mainwindow/form1.h"
#include "mainwindow/frmaddcata.h"
#include "ui_form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

QTreeWidgetItem* GuiDriver::node(form1& window, const QString& caption)
{
    return caption.isEmpty() ? window.tree().root() : window.tree().find(caption);
}

static QPoint centreOf(form1& window, QTreeWidgetItem* node)
{
    QTreeWidget& tree = *window.controls().Tvwmain;
    for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree.scrollToItem(node);
    return tree.visualItemRect(node).center();
}

void GuiDriver::clickNode(form1& window, QTreeWidgetItem* node)
{
    QTest::mouseClick(window.controls().Tvwmain->viewport(), Qt::LeftButton, {}, centreOf(window, node));
}

void GuiDriver::clickNode(form1& window, const QString& caption)
{
    clickNode(window, node(window, caption));
}

void GuiDriver::rightClickNode(form1& window, const QString& caption)
{
    QTest::mousePress(window.controls().Tvwmain->viewport(), Qt::RightButton, {},
                      centreOf(window, node(window, caption)));
}

void GuiDriver::pressDeleteInTree(form1& window)
{
    QTest::keyClick(window.controls().Tvwmain, Qt::Key_Delete);
}

QList<QStringList> GuiDriver::listRows(const QTreeWidget& list, int columns)
{
    QList<QStringList> rows(list.topLevelItemCount());
    for (int i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < columns; ++column)
            rows[i] << list.topLevelItem(i)->text(column);
    }
    return rows;
}

QStringList GuiDriver::columnTexts(const QTreeWidget& list, int column)
{
    QStringList texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts << list.topLevelItem(i)->text(column);
    return texts;
}

QPoint GuiDriver::clickRow(QTreeWidget& list, int row)
{
    const QPoint point = row < list.topLevelItemCount() ? list.visualItemRect(list.topLevelItem(row)).center()
                                                        : QPoint(10, list.viewport()->height() - 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
    return point;
}

void GuiDriver::trigger(form1& window, const char* entry)
{
    window.findChild<QAction*>(QLatin1String(entry))->trigger();
}

QString GuiDriver::statusLine(form1& window)
{
    const QLabel& line = *window.controls().StatusLine;
    return line.toolTip().isEmpty() ? line.text() : line.toolTip();
}

QString GuiDriver::tipOver(QAbstractItemView& view, const QModelIndex& index)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(a tooltip stays)");
    view.scrollTo(index);
    const QPoint centre = view.visualRect(index).center();
    QHelpEvent help(QEvent::ToolTip, centre, view.viewport()->mapToGlobal(centre));
    QApplication::sendEvent(view.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

std::shared_ptr<GuiDriver::CatalogDialogOutcome> GuiDriver::answerCatalogDialog(const QString& name, const QString& description,
                                                                                const std::function<void()>& beforeOk)
{
    auto outcome = std::make_shared<CatalogDialogOutcome>();
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<Frmaddcata*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        outcome->shown = true;
        outcome->caption = dialog->windowTitle();
        auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* descriptionBox = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
        outcome->initialName = nameBox->text();
        outcome->initialDescription = descriptionBox->toPlainText();
        nameBox->setText(name);
        descriptionBox->setPlainText(description);
        if (beforeOk)
            beforeOk();
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        if (dialog->isVisible()) {
            outcome->stayedOpen = nameBox->text() == name && descriptionBox->toPlainText() == description;
            dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        }
    });
    return outcome;
}
