#include "calc/parameterstring.h"

namespace {

constexpr QChar Hash = u'#';
constexpr QChar Bar = u'|';
constexpr QLatin1String Separator("||");

} // namespace

bool ParameterString::carries(const QString& text)
{
    return !text.contains(Hash) && !text.contains(Bar);
}

std::optional<QString> ParameterString::build(const QList<Pair>& rows)
{
    QString text(Hash);
    for (const Pair& row : rows) {
        if (!carries(row.symbol) || !carries(row.value))
            return std::nullopt;
        text += row.symbol + Separator + row.value + Hash;
    }
    return text + Hash;
}

ParameterString::Parsed ParameterString::parse(const QString& text)
{
    Parsed parsed;
    if (!text.startsWith(Hash)) {
        parsed.error = QStringLiteral("The parameter string does not start with '#'.");
        return parsed;
    }
    // Between the opening and the closing '#', every pair ends with its own '#'; the lone "#"
    // is its own opening and cannot also close.
    const QString body = text.mid(1, text.size() - 2);
    if (text.size() < 2 || !text.endsWith(Hash) || (!body.isEmpty() && !body.endsWith(Hash))) {
        parsed.error = QStringLiteral("The parameter string lacks its closing '#'.");
        return parsed;
    }
    if (body.isEmpty())
        return parsed;
    const QStringList pieces = body.chopped(1).split(Hash);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& piece = pieces.at(i);
        const qsizetype separator = piece.indexOf(Separator);
        if (separator < 0 || piece.count(Bar) != 2) {
            parsed.error = QStringLiteral("Pair %1 of the parameter string, \"%2\", is not symbol||value.")
                               .arg(i + 1)
                               .arg(piece);
            parsed.pairs.clear();
            return parsed;
        }
        parsed.pairs.append({ piece.left(separator), piece.mid(separator + Separator.size()) });
    }
    return parsed;
}
