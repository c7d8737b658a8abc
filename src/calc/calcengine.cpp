#include "calc/calcengine.h"

#include "calc/parameterstring.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <muParserBase.h>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the number that text starts with: digits with an optional '.' fraction, or a
// fraction alone, then an optional exponent; 0 when it starts with none. Signs are operators
// in an expression, so none is read here. text must be NUL-terminated.
std::size_t scanNumber(const char* text)
{
    const char* p = text;
    while (isAsciiDigit(*p))
        ++p;
    const bool integral = p != text;
    if (*p == '.') {
        const char* fraction = p + 1;
        while (isAsciiDigit(*fraction))
            ++fraction;
        if (!integral && fraction == p + 1)
            return 0;
        p = fraction;
    } else if (!integral) {
        return 0;
    }
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        if (isAsciiDigit(*exponent)) {
            while (isAsciiDigit(*exponent))
                ++exponent;
            p = exponent;
        }
    }
    return static_cast<std::size_t>(p - text);
}

constexpr char OutOfRange[] = "is too large or too small to compute with";

// muparser's hook for number literals, with text at the literal; from_chars ignores the locale.
int readExpressionNumber(const mu::char_type* text, int* position, mu::value_type* value)
{
    const std::size_t length = scanNumber(text);
    if (length == 0)
        return 0;
    if (std::from_chars(text, text + length, *value).ec != std::errc()) {
        const std::string literal(text, length);
        throw mu::ParserError(("The number " + literal + " " + OutOfRange + ".").c_str(), *position, literal);
    }
    *position += static_cast<int>(length);
    return 1;
}

// The number, with an optional sign, that text starts with (text NUL-terminated): its length in
// bytes, 0 for none, and its value when it is in the range of doubles.
struct SignedNumber
{
    std::size_t length = 0;
    std::optional<double> value;
};

SignedNumber scanSignedNumber(const char* text)
{
    const bool signed_ = *text == '-' || *text == '+';
    const char* digits = signed_ ? text + 1 : text;
    const std::size_t length = scanNumber(digits);
    if (length == 0)
        return {};
    SignedNumber number{length + (signed_ ? 1 : 0), std::nullopt};
    double value = 0;
    if (std::from_chars(digits, digits + length, value).ec == std::errc())
        number.value = *text == '-' ? -value : value;
    return number;
}

// The number a grid value holds; nullopt with the reason in problem otherwise.
std::optional<double> readValue(const QString& text, QString& problem)
{
    const QByteArray bytes = text.trimmed().toUtf8();
    const SignedNumber number = scanSignedNumber(bytes.constData());
    if (number.length == 0 || number.length != static_cast<std::size_t>(bytes.size())) {
        problem = QStringLiteral("is not a number");
        return std::nullopt;
    }
    if (!number.value)
        problem = QString::fromLatin1(OutOfRange);
    return number.value;
}

bool isSymbol(const QString& text)
{
    const QList<uint> codes = text.toUcs4();
    if (codes.isEmpty())
        return false;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const char32_t c = codes.at(i);
        if (c != U'_' && !QChar::isLetter(c) && !(i > 0 && QChar::isDigit(c)))
            return false;
    }
    return true;
}

// muparser reads a comma outside a function's parentheses as the start of a second
// expression, and a lone '=' as an assignment to a symbol. Here both are slips ("1,5" meant
// as 1.5, "a=b" meant as a==b) that would yield a wrong number, so they are syntax errors.
// Returns the message and sets position, or returns an empty string.
QString findSlip(const QString& expression, qsizetype& position)
{
    int depth = 0;
    for (qsizetype i = 0; i < expression.size(); ++i) {
        const QChar c = expression.at(i);
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (c == QLatin1Char(',') && depth <= 0) {
            position = i;
            return QStringLiteral("A comma only separates a function's arguments; decimals are written with a point.");
        } else if (c == QLatin1Char('=')) {
            const QChar before = i > 0 ? expression.at(i - 1) : QChar();
            const QChar after = i + 1 < expression.size() ? expression.at(i + 1) : QChar();
            if (after != QLatin1Char('=') && !QStringLiteral("<>!=").contains(before)) {
                position = i;
                return QStringLiteral("A lone '=' is not an operator; compare with '=='.");
            }
        }
    }
    return {};
}

// muparser's messages count the position in bytes; the engine reports it in characters apart
// from the message, so the count is dropped from the text.
QString parserMessage(const mu::ParserError& error)
{
    QString message = QString::fromStdString(error.GetMsg());
    message.remove(QRegularExpression(QStringLiteral(R"(\s*(\(position: \d+\)|(found )?at (expression )?position \d+))")));
    return message;
}

// muparser counts positions in the UTF-8 bytes it was given; the user counts characters.
qsizetype characterIndex(const std::string& utf8, int bytePosition)
{
    if (bytePosition < 0)
        return -1;
    const auto bytes = std::min<qsizetype>(bytePosition, static_cast<qsizetype>(utf8.size()));
    return QString::fromUtf8(utf8.data(), bytes).size();
}

// The first argument an evaluation handed a function outside its domain, for the user to be told
// which. The functions still return NaN or an infinity, which is all a sweep needs to know.
struct DomainFault
{
    const char* what = nullptr; // "Square root of a negative number"; null: none so far
    double argument = 0;
};
thread_local DomainFault domainFault;

double outsideDomain(const char* what, double argument, double result)
{
    if (!domainFault.what)
        domainFault = {what, argument};
    return result;
}

// The calls of functions of a plain number that the evaluation under way records, or null when
// none does: how the check of units sees what sin, exp or ln are handed.
thread_local std::vector<CalcEngine::PlainCall>* plainCalls = nullptr;

template<const char* name, double (*function)(double)>
double plainArgument(double x)
{
    if (plainCalls)
        plainCalls->push_back({name, x});
    return function(x);
}

double checkedSqrt(double x)
{
    return x < 0 ? outsideDomain("Square root of a negative number", x, std::sqrt(x)) : std::sqrt(x);
}

template<double (*log)(double)>
double checkedLog(double x)
{
    if (x < 0)
        return outsideDomain("Logarithm of a negative number", x, log(x));
    if (x == 0)
        return outsideDomain("Logarithm of zero", x, log(x));
    return log(x);
}

template<double (*inverse)(double)>
double checkedUnitInverse(double x)
{
    return std::fabs(x) > 1 ? outsideDomain("Asin or acos of a value beyond -1 to 1", x, inverse(x)) : inverse(x);
}

double checkedAcosh(double x)
{
    return x < 1 ? outsideDomain("Acosh of a value below 1", x, std::acosh(x)) : std::acosh(x);
}

double checkedAtanh(double x)
{
    return std::fabs(x) >= 1 ? outsideDomain("Atanh of a value not between -1 and 1", x, std::atanh(x)) : std::atanh(x);
}

// The functions whose argument is a plain number: an angle, an exponent, a logarithm's argument.
constexpr char Sin[] = "sin", Cos[] = "cos", Tan[] = "tan", Asin[] = "asin", Acos[] = "acos", Atan[] = "atan",
               Sinh[] = "sinh", Cosh[] = "cosh", Tanh[] = "tanh", Asinh[] = "asinh", Acosh[] = "acosh",
               Atanh[] = "atanh", Exp[] = "exp", Ln[] = "ln", Log[] = "log", Log10[] = "log10", Log2[] = "log2";

class FormulaParser final : public mu::ParserBase
{
public:
    FormulaParser()
    {
        AddValIdent(&readExpressionNumber);
        Init();
    }

    bool isFunction(const QString& name) const { return GetFunDef().count(name.toStdString()) > 0; }

private:
    template<const char* name, double (*function)(double)>
    void definePlain()
    {
        DefineFun(name, &plainArgument<name, function>);
    }

protected:
    void InitCharSets() override
    {
        // Every byte of a multi-byte UTF-8 sequence counts as a name character, so muparser reads
        // a non-ASCII symbol as one name; whether a name is a symbol is checked before binding.
        std::string names = "0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            names += static_cast<char>(byte);
        DefineNameChars(names.c_str());
        DefineOprtChars("+-*/^<>=!&|");
        DefineInfixOprtChars("+-");
    }

    void InitFun() override
    {
        definePlain<Sin, std::sin>();
        definePlain<Cos, std::cos>();
        definePlain<Tan, std::tan>();
        definePlain<Asin, checkedUnitInverse<std::asin>>();
        definePlain<Acos, checkedUnitInverse<std::acos>>();
        definePlain<Atan, std::atan>();
        DefineFun("atan2", +[](double y, double x) { return std::atan2(y, x); });
        definePlain<Sinh, std::sinh>();
        definePlain<Cosh, std::cosh>();
        definePlain<Tanh, std::tanh>();
        definePlain<Asinh, std::asinh>();
        definePlain<Acosh, checkedAcosh>();
        definePlain<Atanh, checkedAtanh>();
        DefineFun("sqrt", &checkedSqrt);
        definePlain<Exp, std::exp>();
        definePlain<Ln, checkedLog<std::log>>();
        // Base 10, as on an engineer's pocket calculator; ln is the natural logarithm.
        definePlain<Log, checkedLog<std::log10>>();
        definePlain<Log10, checkedLog<std::log10>>();
        definePlain<Log2, checkedLog<std::log2>>();
        DefineFun("abs", +[](double x) { return std::fabs(x); });
        DefineFun("sign", +[](double x) { return static_cast<double>((x > 0) - (x < 0)); });
        DefineFun("floor", +[](double x) { return std::floor(x); });
        DefineFun("ceil", +[](double x) { return std::ceil(x); });
        DefineFun("round", +[](double x) { return std::round(x); });
        DefineFun("hypot", +[](double x, double y) { return std::hypot(x, y); });
        DefineFun("min", +[](const double* x, int n) { return *std::min_element(x, x + n); });
        DefineFun("max", +[](const double* x, int n) { return *std::max_element(x, x + n); });
        DefineFun("sum", +[](const double* x, int n) { return std::accumulate(x, x + n, 0.0); });
        DefineFun("avg", +[](const double* x, int n) { return std::accumulate(x, x + n, 0.0) / n; });
    }

    void InitConst() override
    {
        DefineConst("_pi", 3.14159265358979323846);
        DefineConst("_e", 2.71828182845904523536);
    }

    void InitOprt() override
    {
        DefineInfixOprt("-", +[](double x) { return -x; });
        DefineInfixOprt("+", +[](double x) { return x; });
    }
};

} // namespace

struct CalcEngine::Binding
{
    QStringList symbols;
    std::vector<double> values; // values[i] belongs to symbols[i]
};

struct CalcEngine::Compiled
{
    FormulaParser parser;
    QString expression;
    QStringList symbols;
    std::vector<double> values; // the parser holds pointers into it, so its size never changes
};

bool CalcEngine::isParameterSymbol(const QString& text)
{
    return isSymbol(text) && text != QLatin1String("_pi") && text != QLatin1String("_e");
}

std::optional<double> CalcEngine::number(const QString& text)
{
    QString problem;
    return readValue(text, problem);
}

std::optional<CalcEngine::LeadingNumber> CalcEngine::leadingNumber(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    const QByteArray bytes = text.mid(start).toUtf8();
    const SignedNumber number = scanSignedNumber(bytes.constData());
    if (number.length == 0 || !number.value)
        return std::nullopt;
    // A number is ASCII: as many characters as bytes.
    const auto length = static_cast<qsizetype>(number.length);
    return LeadingNumber{*number.value, text.mid(start, length), text.mid(start + length)};
}

CalcEngine::CalcEngine() = default;
CalcEngine::~CalcEngine() = default;

void CalcEngine::clearError()
{
    error_ = NoError;
    message_.clear();
    position_ = -1;
}

void CalcEngine::Evaluate(const QString& expression, const QString& parameters, double& result, int& error)
{
    clearError();
    double value = 0;
    error = run(expression, parameters, value);
    result = error == NoError ? value : std::numeric_limits<double>::quiet_NaN();
}

CalcEngine::ErrorCode CalcEngine::compile(const QString& expression, const QStringList& symbols)
{
    clearError();
    Binding binding;
    ErrorCode code = NoError;
    for (const QString& symbol : symbols) {
        if ((code = addSymbol(symbol, 0, binding)) != NoError)
            break;
    }
    double ignored = 0;
    if (code == NoError)
        code = setUp(expression, binding, ignored);
    // Zeros stand in for the values here; an expression they leave undefined is still sound.
    if (code == ResultNotFinite && compiled_) {
        clearError();
        return NoError;
    }
    if (code != NoError)
        compiled_.reset(); // evaluate() must not go on with an expression set up before
    return code;
}

double CalcEngine::evaluate(const std::vector<double>& values)
{
    constexpr double undefined = std::numeric_limits<double>::quiet_NaN();
    if (!compiled_ || values.size() != compiled_->values.size())
        return undefined;
    std::copy(values.begin(), values.end(), compiled_->values.begin());
    try {
        const double result = compiled_->parser.Eval();
        return std::isfinite(result) ? result : undefined;
    } catch (const mu::ParserError&) {
        return undefined;
    }
}

double CalcEngine::evaluate(const std::vector<double>& values, std::vector<PlainCall>& calls)
{
    struct Recording
    {
        explicit Recording(std::vector<PlainCall>& calls) { plainCalls = &calls; }
        ~Recording() { plainCalls = nullptr; }
    };
    calls.clear();
    const Recording recording(calls);
    return evaluate(values);
}

CalcEngine::ErrorCode CalcEngine::run(const QString& expression, const QString& parameters, double& result)
{
    Binding binding;
    if (const ErrorCode code = bind(parameters, binding); code != NoError)
        return code;
    return setUp(expression, binding, result);
}

// Evaluates expression with binding, reusing the parser kept from the last call when it was
// set up for the same expression and symbols.
CalcEngine::ErrorCode CalcEngine::setUp(const QString& expression, const Binding& binding, double& result)
{
    qsizetype slipPosition = -1;
    if (const QString slip = findSlip(expression, slipPosition); !slip.isEmpty())
        return fail(SyntaxError, slip, slipPosition);

    // The engine keeps the parser only after a success, so a failed set-up is never reused.
    std::unique_ptr<Compiled> compiled = std::move(compiled_);
    const bool reusable = compiled && compiled->expression == expression && compiled->symbols == binding.symbols;
    if (reusable) {
        std::copy(binding.values.begin(), binding.values.end(), compiled->values.begin());
    } else {
        compiled = std::make_unique<Compiled>();
        compiled->expression = expression;
        compiled->symbols = binding.symbols;
        compiled->values = binding.values;
        for (qsizetype i = 0; i < binding.symbols.size(); ++i) {
            const QString& symbol = binding.symbols.at(i);
            try {
                compiled->parser.DefineVar(symbol.toStdString(), &compiled->values[static_cast<std::size_t>(i)]);
            } catch (const mu::ParserError& e) {
                const QString reason = e.GetCode() == mu::ecNAME_CONFLICT
                    ? QStringLiteral("It is the name of a constant.")
                    : QString::fromStdString(e.GetMsg());
                return fail(InvalidSymbol, QStringLiteral("'%1' cannot be a symbol. %2").arg(symbol, reason));
            }
        }
    }

    const std::string text = expression.toStdString();
    try {
        if (!reusable)
            compiled->parser.SetExpr(text);
        domainFault = {};
        result = compiled->parser.Eval();
    } catch (const mu::ParserError& e) {
        const qsizetype position = characterIndex(text, e.GetPos());
        const QString token = QString::fromStdString(e.GetToken()).trimmed();
        if (e.GetCode() == mu::ecUNASSIGNABLE_TOKEN && isSymbol(token)) {
            if (compiled->parser.isFunction(token)) {
                return fail(SyntaxError,
                            QStringLiteral("'%1' is a function: its arguments follow in parentheses, as in %1(x).").arg(token),
                            position);
            }
            return fail(UnknownSymbol, QStringLiteral("Unknown symbol '%1'.").arg(token), position);
        }
        // A muparser built with math exceptions throws these instead of returning inf or NaN.
        if (e.GetCode() == mu::ecDOMAIN_ERROR || e.GetCode() == mu::ecDIV_BY_ZERO)
            return fail(ResultNotFinite, parserMessage(e));
        return fail(SyntaxError, parserMessage(e), position);
    }
    compiled_ = std::move(compiled);

    if (!std::isfinite(result) && domainFault.what) {
        return fail(ResultNotFinite, QStringLiteral("%1 (%2).").arg(QString::fromLatin1(domainFault.what),
                                                                   QString::number(domainFault.argument, 'g',
                                                                                   QLocale::FloatingPointShortest)));
    }
    if (!std::isfinite(result)) {
        return fail(ResultNotFinite,
                    QStringLiteral("The result is not a finite number: a division by zero, a value outside a "
                                   "function's domain, or an overflow."));
    }
    return NoError;
}

CalcEngine::ErrorCode CalcEngine::bind(const QString& parameters, Binding& binding)
{
    const ParameterString::Parsed parsed = ParameterString::parse(parameters);
    if (!parsed.ok())
        return fail(MalformedParameters, parsed.error);
    for (const ParameterString::Pair& pair : parsed.pairs) {
        if (pair.symbol.isEmpty())
            continue;
        // The symbol is checked before the value: a row's first fault is the one reported.
        QString problem;
        const std::optional<double> value = readValue(pair.value, problem);
        if (const ErrorCode code = addSymbol(pair.symbol, value.value_or(0), binding); code != NoError)
            return code;
        if (!value) {
            return fail(NotANumber,
                        QStringLiteral("The value of %1, \"%2\", %3.").arg(pair.symbol, pair.value, problem));
        }
    }
    return NoError;
}

CalcEngine::ErrorCode CalcEngine::addSymbol(const QString& symbol, double value, Binding& binding)
{
    if (!isSymbol(symbol)) {
        return fail(InvalidSymbol,
                    QStringLiteral("'%1' cannot be a symbol. A symbol is a letter or '_' followed by letters, "
                                   "digits and '_'.")
                        .arg(symbol));
    }
    if (binding.symbols.contains(symbol))
        return fail(RepeatedSymbol, QStringLiteral("The symbol '%1' is given twice.").arg(symbol));
    binding.symbols.append(symbol);
    binding.values.push_back(value);
    return NoError;
}

CalcEngine::ErrorCode CalcEngine::fail(ErrorCode code, const QString& message, qsizetype position)
{
    error_ = code;
    message_ = message;
    position_ = position;
    return code;
}
