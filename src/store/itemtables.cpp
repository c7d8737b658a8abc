#include "store/itemtables.h"

#include <QRegularExpression>

namespace {

bool declares(const ItemTables::Columns& columns, const QString& name)
{
    for (const ItemTables::Column& column : columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// "where tbl = ?", and the table's own condition after it.
QString rowsOf(const QString& condition)
{
    return condition.isEmpty() ? QStringLiteral(" where tbl = ?") : QStringLiteral(" where tbl = ? and (%1)").arg(condition);
}

// The parts after the table's name: the where clause's condition, and whatever follows it
// (order by, limit) as text.
struct Tail
{
    QString condition;
    QString rest;
    int placeholdersBefore = 0; // in the statement, before the condition
    bool understood = true;
};

Tail tailAfter(const QString& statement, const SqlTokens& t, qsizetype from)
{
    Tail tail;
    tail.placeholdersBefore = countPlaceholders(t, 0, from);
    qsizetype end = t.size();
    while (end > from && t.at(end - 1).isPunctuation(';'))
        --end;
    if (from < end && !t.at(from).is("where")) {
        const qsizetype rest = findWord(t, from, {"order", "group", "limit"});
        tail.understood = rest == from;
        tail.rest = textBetween(statement, t, from, end);
        return tail;
    }
    const qsizetype conditionEnd = findWord(t, from, {"order", "group", "limit"});
    tail.condition = textBetween(statement, t, from + 1, std::min(conditionEnd, end));
    tail.rest = textBetween(statement, t, std::min(conditionEnd, end), end);
    return tail;
}

QVariantList withTable(const QVariantList& values, int at, const QString& table)
{
    QVariantList all = values;
    all.insert(std::min<qsizetype>(at, all.size()), table);
    return all;
}

} // namespace

const QStringList& ItemTables::rowColumns()
{
    static const QStringList columns{QStringLiteral("varname"), QStringLiteral("name"),     QStringLiteral("expression"),
                                     QStringLiteral("unit"),    QStringLiteral("descr"),    QStringLiteral("defvalue"),
                                     QStringLiteral("calcount"), QStringLiteral("ispara"),  QStringLiteral("preci")};
    return columns;
}

QStringList ItemTables::schema()
{
    return {
        QStringLiteral("CREATE TABLE %1 (name TEXT COLLATE NOCASE PRIMARY KEY, columns TEXT)").arg(Definitions),
        QStringLiteral("CREATE TABLE %1 (tbl TEXT COLLATE NOCASE, varname VARCHAR(20) COLLATE NOCASE, name TEXT COLLATE NOCASE, "
                       "expression TEXT COLLATE NOCASE, unit TEXT COLLATE NOCASE, descr TEXT COLLATE NOCASE, "
                       "defvalue NUMERIC(28,4), calcount VARCHAR(20) COLLATE NOCASE, ispara INT, preci INT)")
            .arg(Rows),
        QStringLiteral("CREATE INDEX ItemRowsTable ON %1 (tbl)").arg(Rows),
    };
}

std::optional<ItemTables::Columns> ItemTables::declaredColumns(const QString& definitions, QString& problem)
{
    static const QRegularExpression definition(
        QStringLiteral(R"(^\s*(\w+)\s+(\w+(?:\s*\([^)]*\))?)(?:\s+(?:not\s+)?null)?\s*$)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression separator(QStringLiteral(",(?![^(]*\\))"));
    Columns columns;
    for (const QString& text : definitions.split(separator)) {
        const auto match = definition.match(text);
        if (!match.hasMatch() || !rowColumns().contains(match.captured(1), Qt::CaseInsensitive)) {
            problem = QStringLiteral("a catalog's or formula's table cannot have the column %1").arg(text.trimmed());
            return std::nullopt;
        }
        columns.append({match.captured(1), match.captured(2).toUpper().remove(QLatin1Char(' '))});
    }
    return columns;
}

QString ItemTables::definitionText(const Columns& columns)
{
    QStringList texts;
    for (const Column& column : columns)
        texts << column.name + QLatin1Char(' ') + column.declaredType;
    return texts.join(QLatin1Char(','));
}

qsizetype ItemTables::tableToken(const SqlTokens& t)
{
    const auto nameAt = [&](qsizetype i) { return i < t.size() && t.at(i).isName() ? i : -1; };
    if (t.isEmpty())
        return -1;
    if (t.at(0).is("select")) {
        const qsizetype from = findWord(t, 1, {"from"});
        return nameAt(from + 1);
    }
    if (t.size() > 1 && t.at(0).is("insert") && t.at(1).is("into"))
        return nameAt(2);
    if (t.at(0).is("update"))
        return nameAt(1);
    if (t.at(0).is("delete")) {
        const qsizetype from = t.size() > 1 && t.at(1).isPunctuation('*') ? 2 : 1;
        return from < t.size() && t.at(from).is("from") ? nameAt(from + 1) : -1;
    }
    if (t.size() > 1 && (t.at(0).is("create") || t.at(0).is("drop") || t.at(0).is("alter")) && t.at(1).is("table")) {
        const bool ifExists = t.size() > 3 && t.at(2).is("if") && t.at(3).is("exists");
        return nameAt(ifExists ? 4 : 2);
    }
    return -1;
}

std::optional<ItemTables::Statement> ItemTables::translate(const QString& statement, const SqlTokens& t, qsizetype at,
                                                           const QString& table, const Columns& columns,
                                                           const QVariantList& values, QString& problem)
{
    const auto unsupported = [&] {
        problem = QStringLiteral("this statement cannot be run on the table of a catalog or formula");
        return std::nullopt;
    };
    const QString verb = t.at(0).text.toLower();
    if (verb == QLatin1String("select")) {
        const Tail tail = tailAfter(statement, t, at + 1);
        if (!tail.understood)
            return unsupported();
        QString selected = textBetween(statement, t, 1, at - 1);
        if (selected.trimmed() == QLatin1String("*")) {
            QStringList names;
            for (const Column& column : columns)
                names << column.name;
            selected = names.join(QLatin1Char(','));
        }
        return Statement{QStringLiteral("select %1 from %2%3 %4").arg(selected, Rows, rowsOf(tail.condition), tail.rest),
                         withTable(values, tail.placeholdersBefore, table)};
    }
    if (verb == QLatin1String("delete")) {
        const Tail tail = tailAfter(statement, t, at + 1);
        if (!tail.understood || !tail.rest.isEmpty())
            return unsupported();
        return Statement{QStringLiteral("delete from %1%2").arg(Rows, rowsOf(tail.condition)),
                         withTable(values, tail.placeholdersBefore, table)};
    }
    if (verb == QLatin1String("insert")) {
        // insert into T (columns) values (…)
        if (at + 1 >= t.size() || !t.at(at + 1).isPunctuation('('))
            return unsupported();
        const qsizetype columnsEnd = closingParenthesis(t, at + 1);
        if (columnsEnd < 0)
            return unsupported();
        for (const auto& [begin, end] : listItems(t, at + 2, columnsEnd)) {
            if (end != begin + 1 || !declares(columns, t.at(begin).text)) {
                problem = QStringLiteral("table %1 has no column named %2").arg(table, textBetween(statement, t, begin, end));
                return std::nullopt;
            }
        }
        const qsizetype valuesWord = columnsEnd + 1;
        if (valuesWord + 1 >= t.size() || !t.at(valuesWord).is("values") || !t.at(valuesWord + 1).isPunctuation('('))
            return unsupported();
        return Statement{QStringLiteral("insert into %1 (tbl,%2 values (?,%3")
                             .arg(Rows, textBetween(statement, t, at + 2, columnsEnd + 1),
                                  statement.mid(t.at(valuesWord + 1).end)),
                         withTable(values, 0, table)};
    }
    if (verb == QLatin1String("update")) {
        // update T set column = …, … [where …]
        if (at + 1 >= t.size() || !t.at(at + 1).is("set"))
            return unsupported();
        const qsizetype where = findWord(t, at + 2, {"where"});
        for (const auto& [begin, end] : listItems(t, at + 2, where)) {
            if (end <= begin + 1 || !t.at(begin + 1).isPunctuation('=') || !declares(columns, t.at(begin).text)) {
                problem = QStringLiteral("table %1 has no column named %2").arg(table, t.at(begin).text);
                return std::nullopt;
            }
        }
        const QString condition = where < t.size() ? textBetween(statement, t, where + 1, t.size()) : QString();
        return Statement{QStringLiteral("update %1 set %2%3").arg(Rows, textBetween(statement, t, at + 2, where), rowsOf(condition)),
                         withTable(values, countPlaceholders(t, 0, where), table)};
    }
    return unsupported();
}
