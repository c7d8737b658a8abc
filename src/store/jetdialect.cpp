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

QString translateColumn(const QString& text)
{
    const auto match = columnDefinition().match(text);
    if (!match.hasMatch())
        return text.trimmed();
    const QString name = match.captured(1);
    const QString type = match.captured(2).toUpper();
    const QStringList args = match.captured(3).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString notNull = match.captured(4).startsWith(QLatin1String("not"), Qt::CaseInsensitive)
        ? QStringLiteral(" NOT NULL") : QString();
    const QString orNull = QStringLiteral("%1 IS NULL OR ").arg(name);

    if (type == QLatin1String("COUNTER") || type == QLatin1String("AUTOINCREMENT"))
        return name + QLatin1String(" INTEGER PRIMARY KEY AUTOINCREMENT");
    if (type == QLatin1String("VARCHAR") || type == QLatin1String("CHAR")) {
        const int length = args.value(0, QStringLiteral("255")).trimmed().toInt();
        return QStringLiteral("%1 TEXT COLLATE NOCASE%2 CHECK (%3length(%1) <= %4)").arg(name, notNull, orNull).arg(length);
    }
    if (type == QLatin1String("TEXT") || type == QLatin1String("MEMO") || type == QLatin1String("LONGTEXT"))
        return name + QLatin1String(" TEXT COLLATE NOCASE") + notNull;
    if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL")) {
        // The declared type keeps its scale: the store rounds to it after every write.
        const int decimals = args.value(1, QStringLiteral("0")).trimmed().toInt();
        return QStringLiteral("%1 NUMERIC(%2,%3)%4 CHECK (%5typeof(%1) IN ('integer','real'))")
            .arg(name, args.value(0).trimmed()).arg(decimals).arg(notNull, orNull);
    }
    if (type == QLatin1String("INT") || type == QLatin1String("INTEGER") || type == QLatin1String("LONG")
        || type == QLatin1String("SMALLINT") || type == QLatin1String("BYTE")) {
        return QStringLiteral("%1 INTEGER%2 CHECK (%3typeof(%1) = 'integer')").arg(name, notNull, orNull);
    }
    return text.trimmed();
}

QString translateCreateTable(const QString& table, const QString& columnList)
{
    QStringList definitions;
    for (const QString& text : splitColumns(columnList))
        definitions << translateColumn(text);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, definitions.join(QLatin1Char(',')));
}

} // namespace

QString JetDialect::toSqlite(const QString& statement)
{
    const auto create = createTable().match(statement);
    if (create.hasMatch())
        return translateCreateTable(create.captured(1), create.captured(2));

    QString translated = statement;
    const auto del = deleteStar().match(translated);
    if (del.hasMatch())
        translated.replace(del.capturedStart(), del.capturedLength(), QStringLiteral("delete from"));
    return translated;
}

QString JetDialect::writtenTable(const QString& statement)
{
    static const QRegularExpression write(QStringLiteral(R"(^\s*(?:insert\s+into|update)\s+(\w+))"),
                                          QRegularExpression::CaseInsensitiveOption);
    return write.match(statement).captured(1);
}

int JetDialect::decimalPlaces(const QString& declaredType)
{
    static const QRegularExpression numeric(QStringLiteral(R"(^\s*(?:numeric|decimal)\s*\(\s*\d+\s*,\s*(\d+)\s*\))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = numeric.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
