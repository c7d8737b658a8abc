#include "mainwindow/catalogs.h"

#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "store/tablename.h"

namespace {

// Blank and ASCII punctuation; letters, digits, control characters and everything outside
// ASCII pass.
bool isSpecialCharacter(QChar c)
{
    const ushort code = c.unicode();
    return (code >= 32 && code <= 47) || (code >= 58 && code <= 64) || (code >= 91 && code <= 96)
        || (code >= 123 && code <= 126);
}

bool isRootKey(const QString& name)
{
    return name.compare(Catalogs::RootKey, Qt::CaseInsensitive) == 0;
}

} // namespace

Catalogs::Problem Catalogs::checkInput(const QString& name, const QString& description)
{
    for (const QChar c : name) {
        if (isSpecialCharacter(c))
            return Problem::SpecialCharacter;
    }
    if (description.size() > MaxDescriptionLength)
        return Problem::DescriptionTooLong;
    if (name.isEmpty())
        return Problem::EmptyName;
    return Problem::None;
}

Catalogs::Problem Catalogs::checkAdd(Store& store, const QString& name)
{
    if (name.at(0).unicode() >= '0' && name.at(0).unicode() <= '9')
        return Problem::FirstCharacterDigit;
    if (store.first(QStringLiteral("select * from CataConstruct where  flag=1 and caption='") + sqlValue(name)
                    + QLatin1Char('\'')))
        return Problem::NameInUse;
    if (store.first(QStringLiteral("select * from CataConstruct where indtable='") + sqlValue(name)
                    + QLatin1Char('\''))
        || store.tableExists(name))
        return Problem::TableNameInUse;
    if (isRootKey(name) || !isUsableTableName(name))
        return Problem::ReservedName;
    return Problem::None;
}

Catalogs::Problem Catalogs::checkRename(Store& store, const QString& oldName, const QString& newName)
{
    if (newName == oldName)
        return Problem::None;
    if (store.first(QStringLiteral("select * from CataConstruct where  caption='") + sqlValue(newName)
                    + QLatin1Char('\'')))
        return Problem::NameInUse;
    if (isRootKey(newName))
        return Problem::ReservedName;
    return Problem::None;
}

void Catalogs::add(Store& store, const QString& name, const QString& parent, const QString& description)
{
    const bool topLevel = parent.isEmpty();
    Store::Transaction transaction(store);
    store.execute(QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot,descr) values ('")
                  + sqlValue(name) + QStringLiteral("',1,'") + sqlValue(topLevel ? name : parent)
                  + QStringLiteral("','") + sqlValue(name) + (topLevel ? QStringLiteral("',1,'") : QStringLiteral("',0,'"))
                  + sqlValue(description) + QStringLiteral("')"));
    store.execute(Schema::catalogTable(name));
    transaction.commit();
}

void Catalogs::modify(Store& store, const QString& oldName, const QString& newName, const QString& description)
{
    Store::Transaction transaction(store);
    if (newName == oldName) {
        store.execute(QStringLiteral("update CataConstruct set descr = '") + sqlValue(description)
                      + QStringLiteral("'where caption ='") + sqlValue(oldName) + QLatin1Char('\''));
    } else {
        store.execute(QStringLiteral("update CataConstruct set caption = '") + sqlValue(newName)
                      + QStringLiteral("',descr='") + sqlValue(description) + QStringLiteral("' where caption ='")
                      + sqlValue(oldName) + QLatin1Char('\''));
        // Moves the children, and a top-level catalog's own row, whose belongto is its caption.
        store.execute(QStringLiteral("update CataConstruct set belongto = '") + sqlValue(newName)
                      + QStringLiteral("'where belongto ='") + sqlValue(oldName) + QLatin1Char('\''));
    }
    transaction.commit();
}
