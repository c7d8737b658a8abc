#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// What a column's declared type allows, as the library's file format defines it:
//  - VARCHAR(n), CHAR(n): text of at most n characters;
//  - NUMERIC(p,s), DECIMAL(p,s): a number, kept to s decimal places, with at most p - s digits
//    before the point;
//  - INT, INTEGER, LONG, SMALLINT, BYTE: a whole number;
//  - anything else: any text.
// Values arrive as typed text, or as numbers; a text that reads as a number the column can
// hold is stored as that number.
class ColumnType
{
public:
    explicit ColumnType(const QString& declaredType = {});

    // Why a value does not fit, and the column's limit that it passes.
    struct Misfit
    {
        enum class Reason { TooLong, NotANumber, TooManyDigits, NotWhole };
        Reason reason = Reason::NotANumber;
        int limit = 0; // characters (TooLong), digits before the point (TooManyDigits)
    };

    // The value to store; nullopt, with the reason in misfit, when the column cannot hold it.
    std::optional<QVariant> stored(const QVariant& value, Misfit& misfit) const;

private:
    enum class Kind { Text, BoundedText, Number, Integer };
    Kind kind_ = Kind::Text;
    int length_ = 0;        // BoundedText
    int precision_ = 0;     // Number
    int decimals_ = 0;      // Number
};
