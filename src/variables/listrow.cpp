#include "variables/listrow.h"

#include "store/fieldtext.h"

#include <QSqlRecord>
#include <QTreeWidget>

void addListRow(QTreeWidget& list, const QSqlRecord& row)
{
    QStringList texts;
    for (const char* column : {"varname", "name", "defvalue", "unit", "descr"})
        texts << fieldText(row, QLatin1String(column));
    new QTreeWidgetItem(&list, texts);
}
