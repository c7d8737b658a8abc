#include "store/namedvalue.h"

#include "store/fieldtext.h"
#include "store/sqltext.h"
#include "store/store.h"

NamedValue NamedValue::fromRow(const QSqlRecord& row)
{
    return {fieldText(row, QStringLiteral("name")), fieldText(row, QStringLiteral("varname")),
            fieldText(row, QStringLiteral("unit")), fieldText(row, QStringLiteral("defvalue")),
            fieldText(row, QStringLiteral("descr"))};
}

QList<NamedValue> NamedValue::readTable(Store& store, const QString& table)
{
    QList<NamedValue> values;
    for (const QSqlRecord& row : store.query(QStringLiteral("select * from ") + sqlName(table) + QStringLiteral(" ")))
        values.append(fromRow(row));
    return values;
}
