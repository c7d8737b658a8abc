#include "store/itemname.h"

#include "store/fieldtext.h"
#include "store/schema.h"
#include "store/sqltext.h"
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
    const auto holder = ItemRow::find(store, name);
    return holder && holder->value(QStringLiteral("caption")).toString() != except;
}

ItemName::Use ItemName::renameUse(Store& store, const QString& oldName, const QString& newName)
{
    if (!ItemRow::find(store, oldName))
        return Use::Missing;
    if (newName == oldName)
        return Use::Usable;
    if (const Use nameUse = use(newName); nameUse != Use::Usable)
        return nameUse;
    return taken(store, newName, oldName) ? Use::Taken : Use::Usable;
}

ItemName::Use ItemName::inUse(Store& store, const QString& name, ItemRow::Kind kind)
{
    // A new catalog's name is held against the catalogs first: the caption of a formula whose
    // table bears that name is told as the table's.
    const bool catalog = kind == ItemRow::Kind::Catalog;
    if (ItemRow::find(store, name, catalog ? ItemRow::Kind::Catalog : ItemRow::Kind::Any))
        return Use::Taken;
    if (ItemRow::holdingTable(store, name) || store.tableExists(name))
        return Use::TableTaken;
    // A renamed formula's caption, which no longer names its table.
    if (catalog && taken(store, name))
        return Use::Taken;
    return Use::Usable;
}

QString ItemName::whoseTable(Store& store, const QString& name)
{
    const QString taken = nameInSentence(name);
    if (const auto holder = ItemRow::holdingTable(store, name)) {
        const QString caption = holder->value(QStringLiteral("caption")).toString();
        const QString item = (holder->value(QStringLiteral("flag")).toInt() == 1 ? QStringLiteral("catalog ")
                                                                                   : QStringLiteral("formula "))
            + nameInSentence(caption);
        if (foldedName(caption) == foldedName(name))
            return QStringLiteral("%1 is taken by the table of %2.").arg(taken, item);
        return QStringLiteral("%1 is taken by the table of %2, which keeps the name the %3 was first given.")
            .arg(taken, item, item.section(QLatin1Char(' '), 0, 0));
    }
    if (use(name) == Use::FixedTable)
        return QStringLiteral("%1 is taken by one of the library's own tables.").arg(taken);
    return QStringLiteral("%1 is taken by a table that no catalog or formula uses.").arg(taken);
}
