#include "mainwindow/catalogs.h"

#include "store/itemname.h"
#include "store/itemrow.h"
#include "store/schema.h"
#include "store/store.h"

#include <algorithm>

namespace {

// Blank and ASCII punctuation; letters, digits, control characters and everything outside
// ASCII pass.
bool isSpecialCharacter(QChar c)
{
    const ushort code = c.unicode();
    return (code >= 32 && code <= 47) || (code >= 58 && code <= 64) || (code >= 91 && code <= 96)
        || (code >= 123 && code <= 126);
}

} // namespace

Catalogs::Problem Catalogs::checkInput(const QString& name, const QString& description)
{
    return inputProblems(name, description).value(0, Problem::None);
}

QList<Catalogs::Problem> Catalogs::inputProblems(const QString& name, const QString& description)
{
    QList<Problem> problems;
    if (std::any_of(name.cbegin(), name.cend(), isSpecialCharacter))
        problems << Problem::SpecialCharacter;
    if (description.size() > MaxDescriptionLength)
        problems << Problem::DescriptionTooLong;
    if (name.isEmpty())
        problems << Problem::EmptyName;
    return problems;
}

Catalogs::Problem Catalogs::checkAdd(Store& store, const QString& name)
{
    if (const auto problem = ItemName::problemOf<Problem>(ItemName::use(name)); problem != Problem::None)
        return problem;
    if (name.at(0).unicode() >= '0' && name.at(0).unicode() <= '9')
        return Problem::FirstCharacterDigit;
    return ItemName::problemOf<Problem>(ItemName::inUse(store, name, ItemRow::Kind::Catalog));
}

Catalogs::Problem Catalogs::checkRename(Store& store, const QString& oldName, const QString& newName)
{
    return ItemName::problemOf<Problem>(ItemName::renameUse(store, oldName, newName));
}

std::optional<QSqlRecord> Catalogs::read(Store& store, const QString& caption)
{
    return ItemRow::find(store, caption, ItemRow::Kind::Catalog);
}

Catalogs::Problem Catalogs::add(Store& store, const QString& name, const QString& parent, const QString& description)
{
    const bool topLevel = parent.isEmpty();
    Store::Transaction transaction(store);
    if (!topLevel && !ItemRow::findExactly(store, parent, ItemRow::Kind::Catalog))
        return Problem::ParentMissing;
    store.execute(topLevel ? QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) "
                                            "values (?,1,?,?,1,?)")
                           : QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) "
                                            "values (?,1,?,?,0,?)"),
                  {name, topLevel ? name : parent, name, description});
    store.execute(Schema::catalogTable(name));
    transaction.commit();
    return Problem::None;
}

Catalogs::Problem Catalogs::modify(Store& store, const QString& oldName, const QString& newName, const QString& description,
                                   const QSqlRecord& asRead)
{
    Store::Transaction transaction(store);
    // Another window's change since the dialog read the catalog would be undone.
    const std::optional<QSqlRecord> stored = read(store, oldName);
    if (!stored)
        return Problem::Missing;
    if (*stored != asRead)
        return Problem::Changed;
    if (newName == oldName) {
        store.execute(QStringLiteral("update CataConstruct set descr = ? where caption =?"), {description, oldName});
    } else {
        store.execute(QStringLiteral("update CataConstruct set caption = ?,descr=? where caption =?"),
                      {newName, description, oldName});
        // Moves the children, and a top-level catalog's own row, whose belongto is its caption.
        store.execute(QStringLiteral("update CataConstruct set belongto = ? where belongto =?"), {newName, oldName});
    }
    transaction.commit();
    return Problem::None;
}
