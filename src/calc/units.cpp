#include "calc/units.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstring>
#include <mutex>
#include <udunits2.h>

namespace {

// udunits2's parser and status are the process's, whichever system a call is about.
std::mutex& udunitsLock()
{
    static std::mutex lock;
    return lock;
}

// In the order of Units::Dimension.
constexpr const char* BaseSymbols[Units::BaseCount] = {"kg", "m", "s", "A", "K", "mol", "cd"};

// A unit taken apart by udunits2's visitor: scale, origin and the powers of the base units.
struct Decomposition
{
    double scale = 1;
    double origin = 0;
    Units::Dimension dimension{};
};

ut_status addBasic(const ut_unit* unit, int power, Decomposition& parts)
{
    // The radian and the steradian: an angle is a plain number.
    if (ut_is_dimensionless(unit))
        return UT_SUCCESS;
    const char* symbol = ut_get_symbol(unit, UT_ASCII);
    for (int i = 0; symbol && i < Units::BaseCount; ++i) {
        if (std::strcmp(symbol, BaseSymbols[i]) == 0) {
            parts.dimension[std::size_t(i)] += power;
            return UT_SUCCESS;
        }
    }
    return UT_VISIT_ERROR; // a base unit of a database of its own making
}

ut_status visitBasic(const ut_unit* unit, void* parts)
{
    return addBasic(unit, 1, *static_cast<Decomposition*>(parts));
}

ut_status visitProduct(const ut_unit*, int count, const ut_unit* const* basics, const int* powers, void* parts)
{
    for (int i = 0; i < count; ++i) {
        if (const ut_status status = addBasic(basics[i], powers[i], *static_cast<Decomposition*>(parts)); status != UT_SUCCESS)
            return status;
    }
    return UT_SUCCESS;
}

ut_status visitGalilean(const ut_unit*, double scale, const ut_unit* underlying, double origin, void* parts);

// Time stamps ("hours since 2000-01-01") and logarithmic units have no place in a formula.
const ut_visitor Visitor{&visitBasic, &visitProduct, &visitGalilean,
                         [](const ut_unit*, const ut_unit*, double, void*) { return UT_VISIT_ERROR; },
                         [](const ut_unit*, double, const ut_unit*, void*) { return UT_VISIT_ERROR; }};

// A value in the Galilean unit is scale × (value + origin) in its underlying unit.
ut_status visitGalilean(const ut_unit*, double scale, const ut_unit* underlying, double origin, void* parts)
{
    Decomposition inner;
    if (const ut_status status = ut_accept_visitor(underlying, &Visitor, &inner); status != UT_SUCCESS)
        return status;
    auto& outer = *static_cast<Decomposition*>(parts);
    outer = {scale * inner.scale, origin + inner.origin / scale, inner.dimension};
    return UT_SUCCESS;
}

// Names udunits2 gives dimensions that an engineer does not mean there: a speed squared is no
// radiation dose, a frequency no activity.
bool unexpectedName(const char* symbol)
{
    for (const char* name : {"Gy", "Sv", "Bq", "kat"}) {
        if (std::strcmp(symbol, name) == 0)
            return true;
    }
    return false;
}

QString superscript(int power)
{
    static const QString digits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text;
    for (const QChar digit : QString::number(power))
        text += digit == QLatin1Char('-') ? QStringLiteral("⁻") : QString(digits.at(digit.digitValue()));
    return text;
}

QString basePower(int base, double power)
{
    const QString symbol = QString::fromLatin1(BaseSymbols[base]);
    if (power == 1)
        return symbol;
    if (power == std::round(power))
        return symbol + superscript(int(power));
    return symbol + QLatin1Char('^') + QString::number(power);
}

// "kg·m/s²", "kg/(m·s²)", "1/s".
QString baseUnits(const Units::Dimension& dimension)
{
    QStringList above, below;
    for (int i = 0; i < Units::BaseCount; ++i) {
        const double power = dimension[std::size_t(i)];
        if (power > 0)
            above << basePower(i, power);
        else if (power < 0)
            below << basePower(i, -power);
    }
    const QString numerator = above.isEmpty() ? QStringLiteral("1") : above.join(QStringLiteral("·"));
    if (below.isEmpty())
        return numerator;
    const QString denominator = below.join(QStringLiteral("·"));
    return numerator + QLatin1Char('/') + (below.size() == 1 ? denominator : QLatin1Char('(') + denominator + QLatin1Char(')'));
}

void release(ut_unit* unit)
{
    if (unit)
        ut_free(unit);
}

double toFifteenDigits(double value)
{
    if (!std::isfinite(value))
        return value;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    std::from_chars(text, written.ptr, value);
    return value;
}

// Where a superscript digit or sign of a power stands for an ASCII one.
char powerCharacter(QChar c)
{
    switch (c.unicode()) {
    case 0x00B9: return '1';
    case 0x00B2: return '2';
    case 0x00B3: return '3';
    case 0x207A: return '+';
    case 0x207B: return '-';
    default: break;
    }
    if (c.unicode() == 0x2070 || (c.unicode() >= 0x2074 && c.unicode() <= 0x2079))
        return char('0' + (c.unicode() - 0x2070));
    return 0;
}

// One word of a unit, as udunits2 reads it.
QString normalizedWord(const QString& word)
{
    static const QRegularExpression hours(QStringLiteral("^([kMGTm]?)(W|VA|A)h$"));
    static const QRegularExpression newtonMetres(QStringLiteral("^([kM]?)N([ckm]?)m$"));
    if (word == QLatin1String("mph"))
        return QStringLiteral("mi/h");
    if (word == QLatin1String("deg"))
        return QStringLiteral("°");
    if (const QRegularExpressionMatch match = hours.match(word); match.hasMatch())
        return match.captured(1) + match.captured(2) + QStringLiteral("·h");
    if (const QRegularExpressionMatch match = newtonMetres.match(word); match.hasMatch())
        return match.captured(1) + QStringLiteral("N·") + match.captured(2) + QLatin1Char('m');
    return word;
}

} // namespace

struct Units::System
{
    ut_system* units = nullptr;
    std::array<ut_unit*, BaseCount> base{};

    ~System()
    {
        for (ut_unit* unit : base)
            release(unit);
        ut_free_system(units);
    }
};

Units::Units(const QString& database)
    : database_(database)
{
}

Units::~Units()
{
    const std::lock_guard<std::mutex> lock(udunitsLock());
    system_.reset();
}

Units::System* Units::system()
{
    if (loaded_)
        return system_.get();
    loaded_ = true;
    // Its messages would go to standard error; what it could not read is told in our words.
    ut_set_error_message_handler(ut_ignore);
    const QByteArray path = QFile::encodeName(database_);
    ut_system* units = ut_read_xml(database_.isEmpty() ? nullptr : path.constData());
    if (!units) {
        ut_status status = UT_SUCCESS;
        const char* used = ut_get_path_xml(database_.isEmpty() ? nullptr : path.constData(), &status);
        problem_ = QStringLiteral("The unit database %1 cannot be read.").arg(QFile::decodeName(used));
        return nullptr;
    }
    system_ = std::make_unique<System>();
    system_->units = units;
    for (int i = 0; i < BaseCount; ++i)
        system_->base[std::size_t(i)] = ut_get_unit_by_symbol(units, BaseSymbols[i]);
    return system_.get();
}

QString Units::problem()
{
    const std::lock_guard<std::mutex> lock(udunitsLock());
    system();
    return problem_;
}

std::optional<Units::Unit> Units::find(const QString& text)
{
    const std::lock_guard<std::mutex> lock(udunitsLock());
    if (const auto known = found_.constFind(text); known != found_.constEnd())
        return *known;
    std::optional<Unit> unit;
    if (System* units = system()) {
        if (ut_unit* parsed = ut_parse(units->units, normalized(text).toUtf8().constData(), UT_UTF8)) {
            Decomposition parts;
            if (ut_accept_visitor(parsed, &Visitor, &parts) == UT_SUCCESS)
                unit = Unit{parts.scale, parts.origin, parts.dimension};
            ut_free(parsed);
        }
    }
    found_.insert(text, unit);
    return unit;
}

QString Units::normalized(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("-") || trimmed == QStringLiteral("–"))
        return QStringLiteral("1");

    QString unit;
    bool inPower = false;
    for (const QChar c : trimmed) {
        const char power = powerCharacter(c);
        if (power && !inPower)
            unit += QLatin1Char('^');
        inPower = power != 0;
        if (power)
            unit += QLatin1Char(power);
        else if (c == QChar(0x22C5) || c == QChar(0x00D7) || c == QChar(0x2219)) // ⋅ × ∙
            unit += QStringLiteral("·");
        else
            unit += c;
    }
    // "° C" would be a degree of angle times a coulomb.
    static const QRegularExpression spacedDegrees(QStringLiteral("°\\s+([CF])\\b"));
    unit.replace(spacedDegrees, QStringLiteral("°\\1"));

    static const QRegularExpression words(QStringLiteral("\\p{L}+"));
    QString result;
    qsizetype done = 0;
    for (auto match = words.globalMatch(unit); match.hasNext();) {
        const QRegularExpressionMatch word = match.next();
        result += unit.mid(done, word.capturedStart() - done) + normalizedWord(word.captured());
        done = word.capturedEnd();
    }
    return result + unit.mid(done);
}

double Units::convert(double value, const Unit& from, const Unit& to)
{
    if (from.scale == to.scale && from.origin == to.origin)
        return value;
    return toFifteenDigits(from.scale * (value + from.origin) / to.scale - to.origin);
}

double Units::convertDifference(double value, const Unit& from, const Unit& to)
{
    return from.scale == to.scale ? value : toFifteenDigits(value * from.scale / to.scale);
}

QString Units::shown(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("1") : trimmed;
}

QString Units::describe(const Dimension& dimension)
{
    if (dimension == Dimension{})
        return QStringLiteral("1 (dimensionless)");
    const QString text = baseUnits(dimension);
    const std::lock_guard<std::mutex> lock(udunitsLock());
    auto known = named_.constFind(text);
    if (known == named_.constEnd())
        known = named_.insert(text, nameOf(dimension));
    return known->isEmpty() || *known == text ? text : text + QStringLiteral(" (") + *known + QLatin1Char(')');
}

QString Units::nameOf(const Dimension& dimension)
{
    System* units = system();
    if (!units)
        return {};
    ut_unit* product = ut_get_dimensionless_unit_one(units->units);
    for (int i = 0; i < BaseCount && product; ++i) {
        const double power = dimension[std::size_t(i)];
        if (power == 0)
            continue;
        // udunits2 knows no unit of a fractional power.
        ut_unit* factor = power == std::round(power) ? ut_raise(units->base[std::size_t(i)], int(power)) : nullptr;
        ut_unit* next = factor ? ut_multiply(product, factor) : nullptr;
        release(factor);
        release(product);
        product = next;
    }
    const char* symbol = product ? ut_get_symbol(product, UT_UTF8) : nullptr;
    const QString name = symbol && !unexpectedName(symbol) ? QString::fromUtf8(symbol) : QString();
    release(product);
    return name;
}
