#include "editor/formulas.h"

#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

void Formulas::add(Store& store, const Formula& formula, const QString& parent)
{
    const QString name = sqlValue(formula.name);
    const bool topLevel = parent.isEmpty();
    Store::Transaction transaction(store);
    store.execute(Schema::formulaTable(formula.name));
    store.execute(QStringLiteral("insert into ") + formula.name
                  + QStringLiteral(" (name,descr,varname,unit,expression,calcount,ispara,defvalue,preci) values ('")
                  + name + QStringLiteral("','") + sqlValue(formula.description) + QStringLiteral("','")
                  + sqlValue(formula.function) + QStringLiteral("','") + sqlValue(formula.unit) + QStringLiteral("','")
                  + sqlValue(formula.expression) + QStringLiteral("','0',0,0,'") + sqlValue(formula.precision)
                  + QStringLiteral("')"));
    for (const FormulaParameter& parameter : formula.parameters) {
        store.execute(QStringLiteral("insert into ") + formula.name
                      + QStringLiteral(" (name,varname,unit,defvalue,descr,ispara) values ('") + sqlValue(parameter.name)
                      + QStringLiteral("','") + sqlValue(parameter.symbol) + QStringLiteral("','")
                      + sqlValue(parameter.unit) + QStringLiteral("','") + sqlValue(parameter.value)
                      + QStringLiteral("','") + sqlValue(parameter.description) + QStringLiteral("',1)"));
    }
    store.execute(QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot) values ('") + name
                  + QStringLiteral("',0,'") + (topLevel ? name : sqlValue(parent)) + QStringLiteral("','") + name
                  + (topLevel ? QStringLiteral("',1)") : QStringLiteral("',0)")));
    transaction.commit();
}
