#include "store/textrules.h"

#include <algorithm>

namespace {

// Characters, not UTF-16 units: a letter outside the first plane counts once.
qsizetype characterCount(const QString& text)
{
    return text.size() - std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); });
}

bool isLineBreakOrControl(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Separator_Line || category == QChar::Separator_Paragraph;
}

// Blanks that look like the space, or like nothing: the no-break and typographic spaces, and
// the zero-width ones (a byte-order mark inside a text among them).
bool isLookAlikeBlank(char32_t c)
{
    return (QChar::category(c) == QChar::Separator_Space && c != U' ') || c == U'\u180E' || c == U'\u200B'
        || c == U'\u2060' || c == U'\uFEFF';
}

} // namespace

TextRules::NameProblem TextRules::checkName(const QString& name)
{
    for (const char32_t c : name.toUcs4()) {
        if (isLineBreakOrControl(c) || isLookAlikeBlank(c))
            return NameProblem::Unprintable;
    }
    return characterCount(name) > MaxNameLength ? NameProblem::TooLong : NameProblem::None;
}

bool TextRules::descriptionTooLong(const QString& description)
{
    return description.size() > MaxDescriptionLength && characterCount(description) > MaxDescriptionLength;
}

QString TextRules::oneLine(const QString& text)
{
    const auto needsEscape = [](QChar c) { return isLineBreakOrControl(c.unicode()); };
    if (std::none_of(text.cbegin(), text.cend(), needsEscape))
        return text;
    QString line;
    line.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (!needsEscape(c))
            line += c;
        else if (c == u'\n')
            line += QLatin1String("\\n");
        else if (c == u'\r')
            line += QLatin1String("\\r");
        else if (c == u'\t')
            line += QLatin1String("\\t");
        else if (c.unicode() < 0x100)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return line;
}

QString TextRules::shown(const QString& text)
{
    if (text.size() <= MaxDescriptionLength)
        return text;
    // Not between the two halves of a surrogate pair.
    qsizetype cut = MaxDescriptionLength;
    if (text.at(cut).isLowSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}
