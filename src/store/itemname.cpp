#include "store/itemname.h"

#include "store/schema.h"
#include "store/store.h"

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

ItemName::Use ItemName::renameUse(Store& store, const QString& oldName, const QString& newName)
{
    const QString lookup = QStringLiteral("select * from CataConstruct where caption=?");
    if (!store.first(lookup, {oldName}))
        return Use::Missing;
    if (newName == oldName)
        return Use::Usable;
    if (const Use nameUse = use(newName); nameUse != Use::Usable)
        return nameUse;
    // Captions compare without case for ASCII letters, so the item answers to its own new case.
    const auto holder = store.first(lookup, {newName});
    return holder && holder->value(QStringLiteral("caption")).toString() != oldName ? Use::Taken : Use::Usable;
}
