#include "store/schema.h"

#include "store/itemtables.h"
#include "store/sqltext.h"

QStringList Schema::fixedTableNames()
{
    return {QStringLiteral("CataConstruct"), QStringLiteral("GlobalVariant"), QStringLiteral("ParaResult")};
}

QStringList Schema::reservedTableNames()
{
    return fixedTableNames() + QStringList{ItemTables::Definitions, ItemTables::Rows};
}

QStringList Schema::fixedTables()
{
    return QStringList{
        QStringLiteral("CREATE  TABLE CataConstruct (ID COUNTER,caption TEXT,flag INT,belongto TEXT,"
                       "indtable TEXT,isroot INT,descr TEXT NULL)"),
        QStringLiteral("CREATE  TABLE GlobalVariant (ID COUNTER,varname VARCHAR(20),name TEXT,unit TEXT NULL,"
                       "defvalue NUMERIC(28,4),descr TEXT NULL)"),
        // Values typed into the grid are kept as typed, so the history holds text.
        QStringLiteral("CREATE  TABLE ParaResult (ID COUNTER,Fmuname TEXT,name TEXT,paraname TEXT,paravalue TEXT,"
                       "unit TEXT NULL,Hisid TEXT,defparavalue TEXT)"),
        captionIndex(),
    } + ItemTables::schema();
}

QString Schema::captionIndex()
{
    return QStringLiteral("create index %1 on CataConstruct (caption)").arg(CaptionIndex);
}

QString Schema::catalogTable(const QString& name)
{
    return QStringLiteral("CREATE  TABLE ") + sqlName(name)
        + QStringLiteral(" (varname VARCHAR(20),name TEXT,expression TEXT,unit TEXT,descr TEXT,"
                         "defvalue NUMERIC(28,4),ispara INT)");
}

QString Schema::formulaTable(const QString& name)
{
    return QStringLiteral("CREATE  TABLE ") + sqlName(name)
        + QStringLiteral(" (varname VARCHAR(20),name TEXT,expression TEXT,unit TEXT NULL,descr TEXT NULL,"
                         "defvalue NUMERIC(28,4),calcount VARCHAR(20),ispara INT,preci INT)");
}
