#include "variables/variables.h"

#include "store/sqltext.h"
#include "store/store.h"

void Variables::add(Store& store, const QString& table, const Variable& variable)
{
    store.execute(QStringLiteral("insert into ") + table + QStringLiteral(" (name,varname,unit,defvalue,descr) values ('")
                  + sqlValue(variable.name) + QStringLiteral("','") + sqlValue(variable.symbol) + QStringLiteral("','")
                  + sqlValue(variable.unit) + QStringLiteral("','") + sqlValue(variable.value) + QStringLiteral("','")
                  + sqlValue(variable.description) + QStringLiteral("')"));
}
