#include "store/tablename.h"

#include <sqlite3.h>

namespace {

bool isNameCharacter(QChar c)
{
    return c.unicode() >= 0x80 || c == QLatin1Char('_') || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

} // namespace

bool isUsableTableName(const QString& name)
{
    // Outside ASCII, SQLite takes any character into a name, but a lone surrogate half
    // would not survive the trip to UTF-8.
    if (name.isEmpty() || name.at(0).isDigit() || !name.isValidUtf16())
        return false;
    for (const QChar c : name) {
        if (!isNameCharacter(c))
            return false;
    }
    if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        return false;
    const QByteArray utf8 = name.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), int(utf8.size())) == 0;
}
