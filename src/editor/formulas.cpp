#include "editor/formulas.h"

#include "calc/calcengine.h"
#include "store/itemname.h"
#include "store/itemrow.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "store/textrules.h"

#include <algorithm>

namespace {

using Formulas::Problem;

bool isPrecision(const QString& text)
{
    bool whole = false;
    const int places = text.trimmed().toInt(&whole);
    return whole && places >= Formulas::MinPrecision && places <= Formulas::MaxPrecision;
}

void insertParameters(Store& store, const QString& table, const QList<NamedValue>& parameters)
{
    for (const NamedValue& parameter : parameters) {
        store.execute(QStringLiteral("insert into ") + table
                          + QStringLiteral(" (name,varname,unit,defvalue,descr,ispara) values (?,?,?,?,?,1)"),
                      {parameter.name, parameter.symbol, parameter.unit, parameter.value, parameter.description});
    }
}

} // namespace

Problem Formulas::checkFields(const Formula& formula)
{
    return fieldProblems(formula).value(0, Problem::None);
}

QList<Problem> Formulas::fieldProblems(const Formula& formula)
{
    QList<Problem> problems;
    if (formula.name.contains(QLatin1Char(' ')))
        problems << Problem::BlankInName;
    else if (formula.name.isEmpty())
        problems << Problem::EmptyName;
    if (formula.function.isEmpty())
        problems << Problem::EmptyFunction;
    if (formula.unit.isEmpty())
        problems << Problem::EmptyUnit;
    if (formula.expression.isEmpty())
        problems << Problem::EmptyExpression;
    if (formula.parameters.isEmpty())
        problems << Problem::NoParameters;
    if (!isPrecision(formula.precision))
        problems << Problem::BadPrecision;
    // Rows copied from variables or read from the library passed no parameter dialog.
    const QList<NamedValue>& parameters = formula.parameters;
    if (std::any_of(parameters.cbegin(), parameters.cend(), [](const auto& p) { return !CalcEngine::number(p.value); }))
        problems << Problem::DefaultNotANumber;
    if (std::any_of(parameters.cbegin(), parameters.cend(), [](const auto& p) { return !CalcEngine::isParameterSymbol(p.symbol); }))
        problems << Problem::UnusableSymbol;
    TextRules::appendNameProblem(problems, formula.function, Problem::UnprintableFunction, Problem::FunctionTooLong);
    if (TextRules::descriptionTooLong(formula.description))
        problems << Problem::DescriptionTooLong;
    return problems;
}

Problem Formulas::checkAdd(Store& store, const QString& name)
{
    if (const auto problem = ItemName::problemOf<Problem>(ItemName::use(name)); problem != Problem::None)
        return problem;
    return ItemName::problemOf<Problem>(ItemName::inUse(store, name, ItemRow::Kind::Formula));
}

Problem Formulas::checkModify(Store& store, const QString& oldName, const QString& newName)
{
    return ItemName::problemOf<Problem>(ItemName::renameUse(store, oldName, newName));
}

Problem Formulas::checkUnchanged(Store& store, const QString& caption, const Formula& asRead)
{
    const std::optional<Formula> stored = Formula::read(store, caption);
    if (!stored)
        return Problem::Missing;
    return *stored == asRead ? Problem::None : Problem::Changed;
}

Problem Formulas::add(Store& store, const Formula& formula, const QString& parent)
{
    const QString table = sqlName(formula.name);
    const bool topLevel = parent.isEmpty();
    Store::Transaction transaction(store);
    if (!topLevel && !ItemRow::findExactly(store, parent, ItemRow::Kind::Catalog))
        return Problem::CatalogMissing;
    store.execute(Schema::formulaTable(formula.name));
    store.execute(QStringLiteral("insert into ") + table
                      + QStringLiteral(" (name,descr,varname,unit,expression,calcount,ispara,defvalue,preci) "
                                       "values (?,?,?,?,?,'0',0,0,?)"),
                  {formula.name, formula.description, formula.function, formula.unit, formula.expression,
                   formula.precision});
    insertParameters(store, table, formula.parameters);
    store.execute(topLevel ? QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot) values (?,0,?,?,1)")
                           : QStringLiteral("insert into CataConstruct (caption,flag,belongto,indtable,isroot) values (?,0,?,?,0)"),
                  {formula.name, topLevel ? formula.name : parent, formula.name});
    transaction.commit();
    return Problem::None;
}

Problem Formulas::modify(Store& store, const QString& oldName, const Formula& formula, const Formula& asRead)
{
    Store::Transaction transaction(store);
    // Another window's change since the editor read the formula would be undone.
    if (const Problem problem = checkUnchanged(store, oldName, asRead); problem != Problem::None)
        return problem;
    const auto item = ItemRow::find(store, oldName);
    const QString table = sqlName(item->value(QStringLiteral("indtable")).toString());
    store.execute(QStringLiteral("update ") + table
                      + QStringLiteral(" set name=?,descr=?,varname=?,unit=?,expression=?,preci=? where name=?"),
                  {formula.name, formula.description, formula.function, formula.unit, formula.expression,
                   formula.precision, oldName});
    store.execute(QStringLiteral("delete * from ") + table + QStringLiteral(" where ispara=1"));
    insertParameters(store, table, formula.parameters);
    if (formula.name != oldName) {
        // A formula directly under the root is its own parent.
        const bool topLevel = item->value(QStringLiteral("caption")) == item->value(QStringLiteral("belongto"));
        if (topLevel)
            store.execute(QStringLiteral("update CataConstruct set caption=?, belongto=? where caption=?"),
                          {formula.name, formula.name, oldName});
        else
            store.execute(QStringLiteral("update CataConstruct set caption=? where caption=?"), {formula.name, oldName});
    }
    transaction.commit();
    return Problem::None;
}

QString Formulas::catalogOf(Store& store, const QString& caption)
{
    const auto item = ItemRow::find(store, caption);
    if (!item || item->value(QStringLiteral("isroot")).toInt() == 1)
        return {};
    return item->value(QStringLiteral("belongto")).toString();
}
