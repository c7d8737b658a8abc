#include "store/sqltokens.h"

namespace {

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

} // namespace

SqlTokens tokenizeSql(const QString& s)
{
    SqlTokens tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        QString content;
        qsizetype end = i + 1;
        SqlToken::Type type = SqlToken::Punctuation;
        if (c == QLatin1Char('\'')) {
            end = readQuoted(s, i, c, content);
            content = s.mid(i, end - i);
            type = SqlToken::Literal;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`')) {
            end = readQuoted(s, i, c, content);
            type = SqlToken::QuotedName;
        } else if (c == QLatin1Char('[')) {
            end = readQuoted(s, i, QLatin1Char(']'), content);
            type = SqlToken::QuotedName;
        } else if (c == QLatin1Char('?')) {
            content = c;
            type = SqlToken::Placeholder;
        } else if (endsWord(c)) {
            content = c;
        } else {
            while (end < s.size() && !endsWord(s.at(end)))
                ++end;
            content = s.mid(i, end - i);
            type = SqlToken::Word;
        }
        tokens.append({type, content, i, end});
        i = end;
    }
    return tokens;
}

qsizetype closingParenthesis(const SqlTokens& tokens, qsizetype open)
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

QList<std::pair<qsizetype, qsizetype>> listItems(const SqlTokens& tokens, qsizetype first, qsizetype last)
{
    QList<std::pair<qsizetype, qsizetype>> items;
    int depth = 0;
    qsizetype begin = first;
    for (qsizetype i = first; i < last; ++i) {
        const SqlToken& t = tokens.at(i);
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

qsizetype findWord(const SqlTokens& tokens, qsizetype first, std::initializer_list<const char*> words)
{
    int depth = 0;
    for (qsizetype i = first; i < tokens.size(); ++i) {
        const SqlToken& t = tokens.at(i);
        if (t.isPunctuation('('))
            ++depth;
        else if (t.isPunctuation(')'))
            --depth;
        else if (depth == 0) {
            for (const char* word : words) {
                if (t.is(word))
                    return i;
            }
        }
    }
    return tokens.size();
}

int countPlaceholders(const SqlTokens& tokens, qsizetype first, qsizetype last)
{
    int count = 0;
    for (qsizetype i = first; i < last; ++i)
        count += tokens.at(i).type == SqlToken::Placeholder ? 1 : 0;
    return count;
}

QString textBetween(const QString& statement, const SqlTokens& tokens, qsizetype first, qsizetype last)
{
    if (first >= last)
        return {};
    const qsizetype begin = tokens.at(first).start;
    return statement.mid(begin, tokens.at(last - 1).end - begin);
}
