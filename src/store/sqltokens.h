#pragma once

#include <QList>
#include <QString>
#include <utility>

// The words, names, literals and marks of a statement, with where each stands in its text: what
// the store needs to see which table a statement names and where its parts begin and end.
struct SqlToken
{
    enum Type { Word, QuotedName, Literal, Placeholder, Punctuation };
    Type type;
    QString text;   // a name unquoted; a word, literal or punctuation as written
    qsizetype start;
    qsizetype end;  // one past the last character

    bool is(const char* word) const
    {
        return type == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isPunctuation(char c) const { return type == Punctuation && text == QLatin1Char(c); }
    bool isName() const { return type == Word || type == QuotedName; }
};

using SqlTokens = QList<SqlToken>;

SqlTokens tokenizeSql(const QString& statement);

// Index of the parenthesis closing the one at open; -1 when it is not closed.
qsizetype closingParenthesis(const SqlTokens& tokens, qsizetype open);

// The items of a comma-separated list between tokens first and last (exclusive), split at
// commas outside parentheses, as [begin, end) index ranges.
QList<std::pair<qsizetype, qsizetype>> listItems(const SqlTokens& tokens, qsizetype first, qsizetype last);

// Index of the first token from first on that is one of words, outside parentheses; the
// tokens' size when there is none.
qsizetype findWord(const SqlTokens& tokens, qsizetype first, std::initializer_list<const char*> words);

// How many placeholders stand among tokens [first, last).
int countPlaceholders(const SqlTokens& tokens, qsizetype first, qsizetype last);

// The statement's text from token first up to, not including, token last.
QString textBetween(const QString& statement, const SqlTokens& tokens, qsizetype first, qsizetype last);
