#include "store/columntype.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// A decimal number as the file format reads it: blanks around it allowed, a sign, digits with
// an optional point and fraction, an optional exponent. Hexadecimal, "inf" and "nan" are not
// numbers.
std::optional<double> readNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?\s*$)"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

ColumnType::ColumnType(const QString& declaredType)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*(\w+)\s*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?)"));
    const auto match = pattern.match(declaredType);
    const QString type = match.captured(1).toUpper();
    if ((type == QLatin1String("VARCHAR") || type == QLatin1String("CHAR")) && match.hasCaptured(2)) {
        kind_ = Kind::BoundedText;
        length_ = match.captured(2).toInt();
    } else if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL")) {
        kind_ = Kind::Number;
        precision_ = match.hasCaptured(2) ? match.captured(2).toInt() : 18;
        decimals_ = match.hasCaptured(3) ? match.captured(3).toInt() : 0;
    } else if (type == QLatin1String("INT") || type == QLatin1String("INTEGER") || type == QLatin1String("LONG")
               || type == QLatin1String("SMALLINT") || type == QLatin1String("BYTE")) {
        kind_ = Kind::Integer;
    }
}

std::optional<QVariant> ColumnType::stored(const QVariant& value, Misfit& misfit) const
{
    if (value.isNull() && value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    switch (kind_) {
    case Kind::Text:
        return value;
    case Kind::BoundedText:
        if (text.toUcs4().size() > length_) {
            misfit = {Misfit::Reason::TooLong, length_};
            return std::nullopt;
        }
        return value;
    case Kind::Number: {
        const auto number = value.typeId() == QMetaType::Double ? std::optional<double>(value.toDouble()) : readNumber(text);
        if (!number || !std::isfinite(*number)) {
            misfit = {Misfit::Reason::NotANumber};
            return std::nullopt;
        }
        const double rounded = QString::number(*number, 'f', decimals_).toDouble();
        if (std::abs(rounded) >= std::pow(10.0, precision_ - decimals_)) {
            misfit = {Misfit::Reason::TooManyDigits, precision_ - decimals_};
            return std::nullopt;
        }
        // Whole numbers stay whole, as the file format keeps them.
        if (rounded == std::trunc(rounded) && std::abs(rounded) < 9e15)
            return QVariant(qlonglong(rounded));
        return QVariant(rounded);
    }
    case Kind::Integer: {
        bool ok = false;
        const qlonglong whole = text.trimmed().toLongLong(&ok);
        if (!ok) {
            misfit = {Misfit::Reason::NotWhole};
            return std::nullopt;
        }
        return QVariant(whole);
    }
    }
    return value;
}
