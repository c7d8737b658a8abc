#include "store/sqltext.h"

QString sqlValue(const QString& value)
{
    QString escaped = value;
    return escaped.replace(QLatin1Char('\''), QLatin1String("''"));
}
