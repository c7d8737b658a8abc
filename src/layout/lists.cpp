#include "layout/lists.h"

#include "store/textrules.h"

#include <QMenu>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

class CutTextDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        return QStyledItemDelegate::displayText(value.typeId() == QMetaType::QString ? TextRules::shown(value.toString()) : value,
                                                locale);
    }
};

} // namespace

void setListColumns(QTreeWidget& list, const QList<std::pair<QString, double>>& columns)
{
    QStringList titles;
    for (const auto& [title, divisor] : columns)
        titles << title;
    list.setHeaderLabels(titles);
    for (int i = 0; i < columns.size(); ++i)
        list.setColumnWidth(i, int(list.width() / columns.at(i).second));
}

QTreeWidgetItem* selectedListRow(const QTreeWidget& list)
{
    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

bool popUpListMenu(QTreeWidget& list, QMenu& menu, const QPoint& position)
{
    if (list.topLevelItemCount() == 0)
        return false;
    menu.exec(list.viewport()->mapToGlobal(position));
    return true;
}

void cutLongCells(QAbstractItemView& view)
{
    view.setItemDelegate(new CutTextDelegate(&view));
}
