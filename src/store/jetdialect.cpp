#include "store/jetdialect.h"

#include <QList>
#include <QRegularExpression>

namespace {

struct Token
{
    enum Type { Word, QuotedName, Literal, Placeholder, Punctuation };
    Type type;
    QString text;   // a name unquoted; a word, literal or punctuation as written
    qsizetype start;
    qsizetype end;  // one past the last character

    bool is(const char* word) const { return type == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }
    bool isPunctuation(char c) const { return type == Punctuation && text == QLatin1Char(c); }
    bool isName() const { return type == Word || type == QuotedName; }
};

bool endsWord(QChar c)
{
    return c.isSpace() || QStringLiteral("(),=;'\"[`?<>!+-*/|").contains(c);
}

// Reads a quoted run starting at i (on the opening quote): a doubled closing quote stands for
// itself inside. Returns the position after the closing quote, or the text's end.
qsizetype readQuoted(const QString& s, qsizetype i, QChar close, QString& content)
{
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        if (s.at(j) != close) {
            content += s.at(j);
        } else if (close != QLatin1Char(']') && j + 1 < s.size() && s.at(j + 1) == close) {
            content += close;
            ++j;
        } else {
            return j + 1;
        }
    }
    return s.size();
}

QList<Token> tokenize(const QString& s)
{
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        QString content;
        qsizetype end = i + 1;
        Token::Type type = Token::Punctuation;
        if (c == QLatin1Char('\'')) {
            end = readQuoted(s, i, c, content);
            content = s.mid(i, end - i);
            type = Token::Literal;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`')) {
            end = readQuoted(s, i, c, content);
            type = Token::QuotedName;
        } else if (c == QLatin1Char('[')) {
            end = readQuoted(s, i, QLatin1Char(']'), content);
            type = Token::QuotedName;
        } else if (c == QLatin1Char('?')) {
            content = c;
            type = Token::Placeholder;
        } else if (endsWord(c)) {
            content = c;
        } else {
            while (end < s.size() && !endsWord(s.at(end)))
                ++end;
            content = s.mid(i, end - i);
            type = Token::Word;
        }
        tokens.append({type, content, i, end});
        i = end;
    }
    return tokens;
}

// Index of the parenthesis closing the one at open; -1 when it is not closed.
qsizetype closingParenthesis(const QList<Token>& tokens, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < tokens.size(); ++i) {
        if (tokens.at(i).isPunctuation('('))
            ++depth;
        else if (tokens.at(i).isPunctuation(')') && --depth == 0)
            return i;
    }
    return -1;
}

// The items of a comma-separated list between tokens first and last (exclusive), split at
// commas outside parentheses, as [begin, end) index ranges.
QList<std::pair<qsizetype, qsizetype>> listItems(const QList<Token>& tokens, qsizetype first, qsizetype last)
{
    QList<std::pair<qsizetype, qsizetype>> items;
    int depth = 0;
    qsizetype begin = first;
    for (qsizetype i = first; i < last; ++i) {
        const Token& t = tokens.at(i);
        if (t.isPunctuation('('))
            ++depth;
        else if (t.isPunctuation(')'))
            --depth;
        else if (t.isPunctuation(',') && depth == 0) {
            items.append({begin, i});
            begin = i + 1;
        }
    }
    items.append({begin, last});
    return items;
}

// Every placeholder of the statement, in order, with the column it fills or an empty string.
QStringList placeholders(const QList<Token>& tokens, const QHash<qsizetype, QString>& filled)
{
    QStringList columns;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens.at(i).type == Token::Placeholder)
            columns << filled.value(i);
    }
    return columns;
}

JetDialect::WriteShape insertShape(const QList<Token>& t)
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
    return {t.at(2).text, placeholders(t, filled)};
}

JetDialect::WriteShape updateShape(const QList<Token>& t)
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
    return {t.at(1).text, placeholders(t, filled)};
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
    const QList<Token> t = tokenize(statement);
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
    const QList<Token> t = tokenize(statement);
    if (t.size() >= 2 && t.at(0).is("insert") && t.at(1).is("into"))
        return insertShape(t);
    if (!t.isEmpty() && t.at(0).is("update"))
        return updateShape(t);
    return {};
}

bool JetDialect::changesSchema(const QString& statement)
{
    const QList<Token> t = tokenize(statement);
    return !t.isEmpty() && (t.at(0).is("create") || t.at(0).is("drop") || t.at(0).is("alter"));
}
