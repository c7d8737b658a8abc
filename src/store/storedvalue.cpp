#include "store/storedvalue.h"

#include "store/columntype.h"

std::optional<QString> StoredValue::rounded(const QString& value)
{
    static const ColumnType column(QStringLiteral("NUMERIC(28,%1)").arg(Decimals));
    ColumnType::Misfit misfit;
    const std::optional<QVariant> kept = column.stored(value, misfit);
    bool number = false;
    const double typed = value.trimmed().toDouble(&number);
    if (!kept || !number || kept->toDouble() == typed)
        return std::nullopt;
    return QString::number(kept->toDouble(), 'f', Decimals);
}
