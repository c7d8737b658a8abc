#include "store/itemname.h"

#include "store/schema.h"

#include <algorithm>

ItemName::Use ItemName::use(const QString& name)
{
    if (!name.isValidUtf16() || name.contains(QChar(0)))
        return Use::Unstorable;
    if (name.compare(RootKey, Qt::CaseInsensitive) == 0 || name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        return Use::Reserved;
    for (const QString& table : Schema::reservedTableNames()) {
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return Use::FixedTable;
    }
    return Use::Usable;
}
