#include "mainwindow/longcells.h"

#include "store/textrules.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

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

void cutLongCells(QAbstractItemView& view)
{
    view.setItemDelegate(new CutTextDelegate(&view));
}
