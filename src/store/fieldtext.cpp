#include "store/fieldtext.h"

#include <QSqlRecord>
#include <QVariant>
#include <algorithm>

QString fieldText(const QSqlRecord& row, const QString& column)
{
    return valueText(row.value(column));
}

QString valueText(const QVariant& value)
{
    if (value.typeId() != QMetaType::Double)
        return value.toString();
    // Stored decimals keep at most four places (NUMERIC(28,4)); more would show binary noise.
    QString text = QString::number(value.toDouble(), 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString nameInSentence(const QString& name)
{
    static const QString blurring = QStringLiteral(" \t'\",.;:");
    const bool blurs = name.isEmpty() || std::any_of(name.begin(), name.end(), [](QChar c) { return blurring.contains(c); });
    return blurs ? QChar(0x201C) + name + QChar(0x201D) : name;
}
