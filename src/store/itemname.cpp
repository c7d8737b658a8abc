#include "store/itemname.h"

#include "store/schema.h"
#include "store/store.h"
#include "store/textrules.h"

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
    switch (TextRules::checkName(name)) {
    case TextRules::NameProblem::Unprintable: return Use::Unprintable;
    case TextRules::NameProblem::TooLong: return Use::TooLong;
    case TextRules::NameProblem::None: break;
    }
    return Use::Usable;
}

bool ItemName::taken(Store& store, const QString& name, const QString& except)
{
    // Captions compare without case for ASCII letters, so an item answers to its own new case.
    const auto holder = store.first(QStringLiteral("select * from CataConstruct where caption=?"), {name});
    return holder && holder->value(QStringLiteral("caption")).toString() != except;
}

ItemName::Use ItemName::renameUse(Store& store, const QString& oldName, const QString& newName)
{
    if (!store.first(QStringLiteral("select * from CataConstruct where caption=?"), {oldName}))
        return Use::Missing;
    if (newName == oldName)
        return Use::Usable;
    if (const Use nameUse = use(newName); nameUse != Use::Usable)
        return nameUse;
    return taken(store, newName, oldName) ? Use::Taken : Use::Usable;
}
