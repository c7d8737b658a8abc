#include "editor/formulas.h"

#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

void Formulas::add(Store& store, const Formula& formula, const QString& parent)
{
    const QString table = sqlName(formula.name);
    const bool topLevel = parent.isEmpty();
    Store::Transaction transaction(store);
    store.execute(Schema::formulaTable(formula.name));
    store.execute(QStringLiteral("insert into ") + table
                      + QStringLiteral(" (name,descr,varname,unit,expression,calcount,ispara,defvalue,preci) "
                                       "values (?,?,?,?,?,'0',0,0,?)"),
                  {formula.name, formula.description, formula.function, formula.unit, formula.expression,
                   formula.precision});
    for (const FormulaParameter& parameter : formula.parameters) {
        store.execute(QStringLiteral("insert into ") + table
                          + QStringLiteral(" (name,varname,unit,defvalue,descr,ispara) values (?,?,?,?,?,1)"),
                      {parameter.name, parameter.symbol, parameter.unit, parameter.value, parameter.description});
    }
    store.execute(topLevel ? QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot) values (?,0,?,?,1)")
                           : QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot) values (?,0,?,?,0)"),
                  {formula.name, topLevel ? formula.name : parent, formula.name});
    transaction.commit();
}
