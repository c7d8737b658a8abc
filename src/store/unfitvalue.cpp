#include "store/unfitvalue.h"

#include "store/fieldtext.h"

#include <QHash>

namespace {

// Long texts are not repeated whole.
constexpr qsizetype ShownLength = 40;

QString quoted(const QString& text)
{
    return QStringLiteral("\"%1\"").arg(text.size() > ShownLength ? text.left(ShownLength - 1) + QChar(0x2026) : text);
}

// What a column of a row holding a name, a symbol, a value, a unit and a description is, for
// the thing of that kind the row is: "the default value of parameter a".
QString rowField(const QString& column, const QString& thing, const QString& value, const QString& name, const QString& symbol)
{
    // The row is named by its symbol, unless that is what is wrong.
    const QString rowName = column == QLatin1String("varname") || symbol.isEmpty() ? name : symbol;
    const QString which = rowName.isEmpty() ? QStringLiteral("a %1").arg(thing) : QStringLiteral("%1 %2").arg(thing, nameInSentence(rowName));
    if (column == QLatin1String("varname"))
        return QStringLiteral("the symbol of %1").arg(which);
    if (column == QLatin1String("name"))
        return QStringLiteral("the name of %1").arg(which);
    if (column == QLatin1String("defvalue"))
        return QStringLiteral("the %1 of %2").arg(value, which);
    if (column == QLatin1String("unit"))
        return QStringLiteral("the unit of %1").arg(which);
    if (column == QLatin1String("descr"))
        return QStringLiteral("the description of %1").arg(which);
    return QStringLiteral("the %1 of %2").arg(column, which);
}

QString formulaField(const QString& column, const QString& formula)
{
    static const QHash<QString, QString> meanings{
        {QStringLiteral("varname"), QStringLiteral("function name")}, {QStringLiteral("name"), QStringLiteral("name")},
        {QStringLiteral("expression"), QStringLiteral("expression")}, {QStringLiteral("unit"), QStringLiteral("unit")},
        {QStringLiteral("descr"), QStringLiteral("description")},      {QStringLiteral("preci"), QStringLiteral("precision")},
        {QStringLiteral("calcount"), QStringLiteral("count of computations")}};
    return QStringLiteral("the %1 of formula %2").arg(meanings.value(column, column), nameInSentence(formula));
}

QString field(const UnfitValue& unfit)
{
    const QString column = unfit.column.toLower();
    const QString owner = nameInSentence(unfit.owner.isEmpty() ? unfit.tableName : unfit.owner);
    switch (unfit.table) {
    case UnfitValue::Table::Formula:
        if (unfit.formulaRow)
            return formulaField(column, unfit.owner.isEmpty() ? unfit.tableName : unfit.owner);
        return rowField(column, QStringLiteral("parameter"), QStringLiteral("default value"), unfit.rowName, unfit.rowSymbol)
            + QStringLiteral(" of formula ") + owner;
    case UnfitValue::Table::Catalog:
        return rowField(column, QStringLiteral("variable"), QStringLiteral("value"), unfit.rowName, unfit.rowSymbol)
            + QStringLiteral(" in catalog ") + owner;
    case UnfitValue::Table::GlobalVariables:
        return rowField(column, QStringLiteral("global variable"), QStringLiteral("value"), unfit.rowName, unfit.rowSymbol);
    case UnfitValue::Table::Tree:
        return QStringLiteral("the %1 of a catalog or formula").arg(column == QLatin1String("caption") ? QStringLiteral("name") : column);
    case UnfitValue::Table::History:
        return QStringLiteral("the %1 of a computation in the result history").arg(column);
    case UnfitValue::Table::Other:
        break;
    }
    return QStringLiteral("the column %1 of the table %2").arg(unfit.column, unfit.tableName);
}

} // namespace

QString UnfitValue::userText() const
{
    QString text = field(*this);
    text[0] = text.at(0).toUpper();
    const int limit = misfit.limit;
    switch (misfit.reason) {
    case ColumnType::Misfit::Reason::TooLong:
        return QStringLiteral("%1 has more than %2 characters. Nothing was changed; shorten it to %2 characters at most.")
            .arg(text).arg(limit);
    case ColumnType::Misfit::Reason::NotANumber:
        return QStringLiteral("%1, %2, is not a number. Nothing was changed; type a number, with a point before any "
                              "decimals, such as 2.5.")
            .arg(text, quoted(value));
    case ColumnType::Misfit::Reason::TooManyDigits:
        return QStringLiteral("%1, %2, has more than %3 digits before the point. Nothing was changed; type a smaller number.")
            .arg(text, quoted(value))
            .arg(limit);
    case ColumnType::Misfit::Reason::NotWhole:
        return QStringLiteral("%1, %2, is not a whole number. Nothing was changed; type a whole number, such as 3.")
            .arg(text, quoted(value));
    }
    return text;
}
