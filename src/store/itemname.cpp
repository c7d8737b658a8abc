#include "store/itemname.h"

#include "store/schema.h"

#include <algorithm>

ItemName::Use ItemName::use(const QString& name)
{
    if (!name.isValidUtf16() || name.contains(QChar(0)))
        return Use::Unstorable;
    if (name.compare(RootKey, Qt::CaseInsensitive) == 0 || name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        return Use::Reserved;
    for (const QString& table : Schema::fixedTableNames()) {
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return Use::FixedTable;
    }
    return Use::Usable;
}

QString ItemName::comparisonKey(const QString& name)
{
    const auto isUpper = [](QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); };
    // Most keys (numbers, names already in lower case) are the name itself, and need no copy.
    if (std::none_of(name.cbegin(), name.cend(), isUpper))
        return name;
    QString folded = name;
    for (QChar& c : folded) {
        if (isUpper(c))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return folded;
}
