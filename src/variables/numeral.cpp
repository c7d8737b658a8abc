#include "variables/numeral.h"

#include "calc/calcengine.h"

bool isNumeral(const QString& text)
{
    for (const QChar c : text) {
        if (!(c.unicode() >= '0' && c.unicode() <= '9') && c != QLatin1Char('.') && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

bool isNumber(const QString& text)
{
    return CalcEngine::number(text).has_value();
}
