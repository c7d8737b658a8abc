#include "mainwindow/importcheck.h"

#include "editor/formulas.h"
#include "mainwindow/catalogs.h"
#include "store/sqltext.h"
#include "store/storedvalue.h"
#include "store/textrules.h"
#include "variables/parameterchecks.h"
#include "variables/variables.h"

#include <QHash>
#include <QSet>

namespace {

using CatalogExchange::Subtree;

// A refusal in the command line's words: the field it concerns, and what is wrong with it. No
// field: nothing to say at this place.
struct Refusal
{
    QString field;
    QString words;
};

const QString Name = QStringLiteral("name");
const QString Symbol = QStringLiteral("symbol");
const QString Description = QStringLiteral("description");
const QString Empty = QStringLiteral("is empty");
const QString Unprintable = QStringLiteral("holds a line break, a tab, a control character or a blank other than the space");
const QString NameTooLong = QStringLiteral("is longer than %1 characters").arg(TextRules::MaxNameLength);
const QString DescriptionTooLong = QStringLiteral("is longer than %1 characters").arg(TextRules::MaxDescriptionLength);
const QString NotNumeral = QStringLiteral("holds a character other than the digits, a point and a minus sign");
const QString NotANumber = QStringLiteral("is not a number");
const QString UnusableSymbol = QStringLiteral("can't be used in an expression");

// What ItemName refuses in the names of catalogs and formulas alike.
template<typename Problem>
Refusal itemNameRefusal(Problem problem)
{
    switch (problem) {
    case Problem::NameInUse: return {Name, QStringLiteral("is the name of a catalog or formula of the library")};
    case Problem::TableNameInUse: return {Name, QStringLiteral("is the name of a table of the library")};
    case Problem::ReservedName: return {Name, QStringLiteral("is reserved")};
    case Problem::UnstorableName: return {Name, QStringLiteral("holds a character no name can keep")};
    case Problem::UnprintableName: return {Name, Unprintable};
    case Problem::NameTooLong: return {Name, NameTooLong};
    default: return {};
    }
}

Refusal refusal(Catalogs::Problem problem)
{
    using Problem = Catalogs::Problem;
    switch (problem) {
    case Problem::SpecialCharacter: return {Name, QStringLiteral("holds a blank or a punctuation mark")};
    case Problem::DescriptionTooLong:
        return {Description, QStringLiteral("is longer than %1 characters").arg(Catalogs::MaxDescriptionLength)};
    case Problem::EmptyName: return {Name, Empty};
    case Problem::FirstCharacterDigit: return {Name, QStringLiteral("starts with a digit")};
    default: return itemNameRefusal(problem);
    }
}

Refusal refusal(Formulas::Problem problem)
{
    using Problem = Formulas::Problem;
    switch (problem) {
    case Problem::BlankInName: return {Name, QStringLiteral("holds a blank")};
    case Problem::EmptyName: return {Name, Empty};
    case Problem::EmptyFunction: return {QStringLiteral("function"), Empty};
    case Problem::EmptyUnit: return {QStringLiteral("unit"), Empty};
    case Problem::EmptyExpression: return {QStringLiteral("expression"), Empty};
    case Problem::NoParameters: return {QStringLiteral("parameters"), Empty};
    case Problem::BadPrecision:
        return {QStringLiteral("precision"), QStringLiteral("is not a whole number from %1 to %2")
                                                 .arg(Formulas::MinPrecision)
                                                 .arg(Formulas::MaxPrecision)};
    // Each parameter's own checks say which default or symbol.
    case Problem::DefaultNotANumber:
    case Problem::UnusableSymbol: return {};
    case Problem::UnprintableFunction: return {QStringLiteral("function"), Unprintable};
    case Problem::FunctionTooLong: return {QStringLiteral("function"), NameTooLong};
    case Problem::DescriptionTooLong: return {Description, DescriptionTooLong};
    default: return itemNameRefusal(problem);
    }
}

// What parameters and variables alike are refused for; their value is called valueField.
template<typename Problem>
Refusal listRowRefusal(Problem problem, const QString& valueField)
{
    switch (problem) {
    case Problem::EmptyName: return {Name, Empty};
    case Problem::EmptySymbol: return {Symbol, Empty};
    case Problem::EmptyValue: return {valueField, Empty};
    case Problem::NotNumeral: return {valueField, NotNumeral};
    case Problem::NotANumber: return {valueField, NotANumber};
    case Problem::UnusableSymbol: return {Symbol, UnusableSymbol};
    case Problem::UnprintableName: return {Name, Unprintable};
    case Problem::NameTooLong: return {Name, NameTooLong};
    case Problem::DescriptionTooLong: return {Description, DescriptionTooLong};
    default: return {};
    }
}

Refusal refusal(ParameterChecks::Problem problem)
{
    if (problem == ParameterChecks::Problem::SymbolInUse)
        return {Symbol, QStringLiteral("is another parameter's of the formula")};
    return listRowRefusal(problem, QStringLiteral("default"));
}

Refusal refusal(Variables::Problem problem)
{
    if (problem == Variables::Problem::SymbolDefined)
        return {Symbol, QStringLiteral("is a variable's already, of this catalog, of one above it or of the root")};
    return listRowRefusal(problem, QStringLiteral("value"));
}

// Goes through a subtree as a user adding it through the dialogs would, part by part, noting
// what each dialog refuses.
class Checker
{
public:
    Checker(Store& store, const QString& into)
        : store_(store)
        , tablesAbove_(Variables::visibleTables(store, into).value_or(QStringList()))
    {
    }

    void check(const Subtree::Catalog& catalog)
    {
        note(catalog.place, Catalogs::inputProblems(catalog.name, catalog.description));
        if (!noted(catalog.place, Name))
            note(catalog.place, refusal(Catalogs::checkAdd(store_, catalog.name)));
        noteSecondCaption(catalog.place, catalog.name);
        // A variable's symbol is refused where one of this catalog or a catalog above it has it.
        QStringList symbols = symbolsSeen_.value(catalog.parent);
        for (qsizetype i = 0; i < catalog.variables.size(); ++i) {
            const NamedValue& variable = catalog.variables.at(i);
            const QString& place = catalog.variablePlaces.at(i);
            note(place, Variables::fieldProblems(variable));
            if (!noted(place, Symbol)
                && (symbols.contains(variable.symbol) || Variables::definedIn(store_, tablesAbove_, variable.symbol)))
                note(place, refusal(Variables::Problem::SymbolDefined));
            symbols << variable.symbol;
        }
        symbolsSeen_.insert(catalog.name, symbols);
    }

    void check(const Subtree::Item& item)
    {
        const Formula& formula = item.formula;
        note(item.place, Formulas::fieldProblems(formula));
        // Its catalog is one of the subtree's, added before it.
        if (!noted(item.place, Name))
            note(item.place, refusal(Formulas::checkAdd(store_, formula.name)));
        noteSecondCaption(item.place, formula.name);
        QStringList symbols;
        for (qsizetype i = 0; i < formula.parameters.size(); ++i) {
            note(item.parameterPlaces.at(i), ParameterChecks::problems(formula.parameters.at(i), symbols));
            symbols << formula.parameters.at(i).symbol;
        }
    }

    const QStringList& problems() const { return problems_; }

private:
    template<typename Problem>
    void note(const QString& place, const QList<Problem>& problems)
    {
        for (const Problem problem : problems)
            note(place, refusal(problem));
    }

    // As a dialog tells one problem of a field at a time, the first of each field.
    void note(const QString& place, const Refusal& refusal)
    {
        if (refusal.field.isEmpty() || noted(place, refusal.field))
            return;
        const QString field = place + QLatin1Char('.') + refusal.field;
        noted_.insert(field);
        problems_.append(field + QLatin1String(": ") + refusal.words);
    }

    bool noted(const QString& place, const QString& field) const
    {
        return noted_.contains(place + QLatin1Char('.') + field);
    }

    // The library is not asked about the subtree's own captions, which it does not hold yet.
    void noteSecondCaption(const QString& place, const QString& caption)
    {
        if (captions_.contains(foldedName(caption)))
            note(place, {Name, QStringLiteral("is given twice in the document")});
        captions_.insert(foldedName(caption));
    }

    Store& store_;
    QStringList tablesAbove_; // those whose variables every catalog of the subtree sees
    QStringList problems_;
    QSet<QString> noted_;
    QSet<QString> captions_;
    QHash<QString, QStringList> symbolsSeen_; // by catalog: its variables' and those of the subtree's catalogs above it
};

QString rounding(const QString& place, const QString& value)
{
    const std::optional<QString> kept = StoredValue::rounded(value);
    return kept ? QStringLiteral("%1: %2 is stored as %3: the library keeps four decimal places.").arg(place, value, *kept)
                : QString();
}

} // namespace

QStringList ImportCheck::problems(Store& store, const Subtree& subtree, const QString& into)
{
    Checker checker(store, into);
    for (const Subtree::Catalog& catalog : subtree.catalogs)
        checker.check(catalog);
    for (const Subtree::Item& item : subtree.formulas)
        checker.check(item);
    return checker.problems();
}

QStringList ImportCheck::roundings(const Subtree& subtree)
{
    QStringList roundings;
    for (const Subtree::Catalog& catalog : subtree.catalogs) {
        for (qsizetype i = 0; i < catalog.variables.size(); ++i)
            roundings << rounding(catalog.variablePlaces.at(i) + QStringLiteral(".value"), catalog.variables.at(i).value);
    }
    for (const Subtree::Item& item : subtree.formulas) {
        for (qsizetype i = 0; i < item.formula.parameters.size(); ++i)
            roundings << rounding(item.parameterPlaces.at(i) + QStringLiteral(".default"), item.formula.parameters.at(i).value);
    }
    roundings.removeAll(QString());
    return roundings;
}
