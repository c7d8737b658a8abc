#include "store/jetdialect.h"

#include "store/sqltokens.h"

#include <QList>
#include <QRegularExpression>

namespace {

using Token = SqlToken;

// Every placeholder of the statement, in order, with the column it fills or an empty string.
QStringList placeholders(const SqlTokens& tokens, const QHash<qsizetype, QString>& filled)
{
    QStringList columns;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens.at(i).type == Token::Placeholder)
            columns << filled.value(i);
    }
    return columns;
}

JetDialect::WriteShape insertShape(const SqlTokens& t)
{
    // insert into T ( columns ) values ( values )
    if (t.size() < 4 || !t.at(2).isName() || !t.at(3).isPunctuation('('))
        return {};
    const qsizetype columnsEnd = closingParenthesis(t, 3);
    if (columnsEnd < 0 || columnsEnd + 2 >= t.size() || !t.at(columnsEnd + 1).is("values")
        || !t.at(columnsEnd + 2).isPunctuation('('))
        return {};
    const qsizetype valuesEnd = closingParenthesis(t, columnsEnd + 2);
    if (valuesEnd < 0)
        return {};
    const auto columns = listItems(t, 4, columnsEnd);
    const auto values = listItems(t, columnsEnd + 3, valuesEnd);
    QHash<qsizetype, QString> filled;
    for (qsizetype i = 0; i < std::min(columns.size(), values.size()); ++i) {
        const auto [begin, end] = values.at(i);
        const auto [columnBegin, columnEnd] = columns.at(i);
        if (end == begin + 1 && t.at(begin).type == Token::Placeholder && columnEnd == columnBegin + 1)
            filled.insert(begin, t.at(columnBegin).text);
    }
    return {t.at(2).text, placeholders(t, filled), placeholders(t, {})};
}

JetDialect::WriteShape updateShape(const SqlTokens& t)
{
    // update T set column = value, … [where …]
    if (t.size() < 3 || !t.at(1).isName() || !t.at(2).is("set"))
        return {};
    qsizetype end = 3;
    int depth = 0;
    for (; end < t.size(); ++end) {
        if (t.at(end).isPunctuation('('))
            ++depth;
        else if (t.at(end).isPunctuation(')'))
            --depth;
        else if (depth == 0 && t.at(end).is("where"))
            break;
    }
    QHash<qsizetype, QString> filled;
    for (const auto& [begin, itemEnd] : listItems(t, 3, end)) {
        if (itemEnd == begin + 3 && t.at(begin).isName() && t.at(begin + 1).isPunctuation('=')
            && t.at(begin + 2).type == Token::Placeholder)
            filled.insert(begin + 2, t.at(begin).text);
    }
    QHash<qsizetype, QString> compared;
    for (qsizetype i = end + 1; i + 2 < t.size(); ++i) {
        if (t.at(i).isName() && t.at(i + 1).isPunctuation('=') && t.at(i + 2).type == Token::Placeholder)
            compared.insert(i + 2, t.at(i).text);
    }
    return {t.at(1).text, placeholders(t, filled), placeholders(t, compared)};
}

const QRegularExpression& columnDefinition()
{
    // "name TYPE", "name TYPE(args)", optionally followed by NULL or NOT NULL.
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\w+)\s+(\w+)\s*(\([^)]*\))?\s*((?:not\s+)?null)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

QString translateColumn(const QString& text)
{
    const auto match = columnDefinition().match(text);
    if (!match.hasMatch())
        return text.trimmed();
    const QString name = match.captured(1);
    const QString type = match.captured(2).toUpper();
    const QString arguments = match.captured(3).remove(QLatin1Char(' '));
    const QString nullability = match.captured(4).isEmpty() ? QString() : QLatin1Char(' ') + match.captured(4).toUpper();
    if (type == QLatin1String("COUNTER") || type == QLatin1String("AUTOINCREMENT"))
        return name + QLatin1String(" INTEGER PRIMARY KEY AUTOINCREMENT");
    if (type == QLatin1String("TEXT") || type == QLatin1String("MEMO") || type == QLatin1String("LONGTEXT")
        || type == QLatin1String("VARCHAR") || type == QLatin1String("CHAR"))
        return name + QLatin1Char(' ') + type + arguments + QLatin1String(" COLLATE NOCASE") + nullability;
    return name + QLatin1Char(' ') + type + arguments + nullability;
}

} // namespace

QString JetDialect::toSqlite(const QString& statement)
{
    const SqlTokens t = tokenizeSql(statement);
    if (t.size() >= 4 && t.at(0).is("create") && t.at(1).is("table") && t.at(2).isName()
        && t.at(3).isPunctuation('(')) {
        const qsizetype end = closingParenthesis(t, 3);
        if (end > 0) {
            QStringList columns;
            for (const auto& [begin, itemEnd] : listItems(t, 4, end))
                columns << translateColumn(statement.mid(t.at(begin).start, t.at(itemEnd - 1).end - t.at(begin).start));
            return QStringLiteral("CREATE TABLE %1 (%2)").arg(statement.mid(t.at(2).start, t.at(2).end - t.at(2).start),
                                                             columns.join(QLatin1Char(',')));
        }
    }
    if (t.size() >= 3 && t.at(0).is("delete") && t.at(1).isPunctuation('*') && t.at(2).is("from"))
        return QStringLiteral("delete from") + statement.mid(t.at(2).end);
    return statement;
}

JetDialect::WriteShape JetDialect::writeShape(const QString& statement)
{
    const SqlTokens t = tokenizeSql(statement);
    if (t.size() >= 2 && t.at(0).is("insert") && t.at(1).is("into"))
        return insertShape(t);
    if (!t.isEmpty() && t.at(0).is("update"))
        return updateShape(t);
    return {};
}

bool JetDialect::changesSchema(const QString& statement)
{
    const SqlTokens t = tokenizeSql(statement);
    return !t.isEmpty() && (t.at(0).is("create") || t.at(0).is("drop") || t.at(0).is("alter"));
}
