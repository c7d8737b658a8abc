#include "store/jetdialect.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& deleteStar()
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*delete\s+\*\s+from\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression& createTable()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*create\s+table\s+(\S+?)\s*\((.*)\)\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re;
}

// "name TYPE", "name TYPE(args)", optionally followed by NULL or NOT NULL.
const QRegularExpression& columnDefinition()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\w+)\s+(\w+)\s*(?:\(\s*([^)]*)\))?\s*((?:not\s+)?null)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// Splits a column list at the commas that are not inside parentheses: NUMERIC(28,4) is one column.
QStringList splitColumns(const QString& list)
{
    QStringList columns;
    int depth = 0;
    int start = 0;
    for (int i = 0; i < list.size(); ++i) {
        const QChar c = list.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char(',') && depth == 0) {
            columns << list.mid(start, i - start);
            start = i + 1;
        }
    }
    columns << list.mid(start);
    return columns;
}

struct Column
{
    QString definition;
    int decimals = -1; // decimal places to keep, for NUMERIC(p,s) columns
};

Column translateColumn(const QString& text)
{
    const auto match = columnDefinition().match(text);
    if (!match.hasMatch())
        return {text.trimmed()};
    const QString name = match.captured(1);
    const QString type = match.captured(2).toUpper();
    const QStringList args = match.captured(3).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString notNull = match.captured(4).startsWith(QLatin1String("not"), Qt::CaseInsensitive)
        ? QStringLiteral(" NOT NULL") : QString();
    const QString orNull = QStringLiteral("%1 IS NULL OR ").arg(name);

    if (type == QLatin1String("COUNTER") || type == QLatin1String("AUTOINCREMENT"))
        return {name + QLatin1String(" INTEGER PRIMARY KEY AUTOINCREMENT")};
    if (type == QLatin1String("VARCHAR") || type == QLatin1String("CHAR")) {
        const int length = args.value(0, QStringLiteral("255")).trimmed().toInt();
        return {QStringLiteral("%1 TEXT COLLATE NOCASE%2 CHECK (%3length(%1) <= %4)")
                    .arg(name, notNull, orNull).arg(length)};
    }
    if (type == QLatin1String("TEXT") || type == QLatin1String("MEMO") || type == QLatin1String("LONGTEXT"))
        return {name + QLatin1String(" TEXT COLLATE NOCASE") + notNull};
    if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL")) {
        const int decimals = args.value(1, QStringLiteral("0")).trimmed().toInt();
        return {QStringLiteral("%1 NUMERIC%2 CHECK (%3typeof(%1) IN ('integer','real'))")
                    .arg(name, notNull, orNull),
                decimals};
    }
    if (type == QLatin1String("INT") || type == QLatin1String("INTEGER") || type == QLatin1String("LONG")
        || type == QLatin1String("SMALLINT") || type == QLatin1String("BYTE")) {
        return {QStringLiteral("%1 INTEGER%2 CHECK (%3typeof(%1) = 'integer')").arg(name, notNull, orNull)};
    }
    return {text.trimmed()};
}

// Keeps a NUMERIC(p,s) column at s decimal places whatever a statement writes into it.
QStringList roundingTriggers(const QString& table, const QString& column, int decimals)
{
    const QString needsRounding = QStringLiteral("typeof(new.%1) = 'real' AND new.%1 <> round(new.%1, %2)")
                                      .arg(column).arg(decimals);
    const QString body = QStringLiteral("BEGIN UPDATE %1 SET %2 = round(new.%2, %3) WHERE rowid = new.rowid; END")
                             .arg(table, column).arg(decimals);
    return {
        QStringLiteral("CREATE TRIGGER \"%1_round_%2_on_insert\" AFTER INSERT ON %1 WHEN %3 %4")
            .arg(table, column, needsRounding, body),
        QStringLiteral("CREATE TRIGGER \"%1_round_%2_on_update\" AFTER UPDATE OF %2 ON %1 WHEN %3 %4")
            .arg(table, column, needsRounding, body),
    };
}

QStringList translateCreateTable(const QString& table, const QString& columnList)
{
    QStringList definitions;
    QStringList triggers;
    for (const QString& text : splitColumns(columnList)) {
        const Column column = translateColumn(text);
        definitions << column.definition;
        if (column.decimals >= 0)
            triggers << roundingTriggers(table, column.definition.section(QLatin1Char(' '), 0, 0), column.decimals);
    }
    return QStringList{QStringLiteral("CREATE TABLE %1 (%2)").arg(table, definitions.join(QLatin1Char(',')))}
        + triggers;
}

} // namespace

QStringList JetDialect::toSqlite(const QString& statement)
{
    const auto create = createTable().match(statement);
    if (create.hasMatch())
        return translateCreateTable(create.captured(1), create.captured(2));

    QString translated = statement;
    const auto del = deleteStar().match(translated);
    if (del.hasMatch())
        translated.replace(del.capturedStart(), del.capturedLength(), QStringLiteral("delete from"));
    return {translated};
}
