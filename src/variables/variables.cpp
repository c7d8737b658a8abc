#include "variables/variables.h"

#include "store/sqltext.h"
#include "store/store.h"

void Variables::add(Store& store, const QString& table, const Variable& variable)
{
    store.execute(QStringLiteral("insert into ") + sqlName(table) + QStringLiteral(" (name,varname,unit,defvalue,descr) values (?,?,?,?,?)"),
                  {variable.name, variable.symbol, variable.unit, variable.value, variable.description});
}
