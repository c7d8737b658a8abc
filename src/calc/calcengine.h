#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// Evaluates a formula's expression with the values of the parameter grid.
//
// Symbols: a symbol starts with a letter or '_' and goes on with letters, decimal digits and
// '_'; letters and digits of any script count. Symbols are case-sensitive. A symbol may share
// its name with a function (it is the function only when '(' follows), not with a constant.
// Pairs with an empty symbol bind nothing and are skipped whatever their value; a symbol that
// appears twice is an error, even with the same value, since one of the two rows is a mistake.
//
// Values and numbers in expressions are read the same way on every machine: digits with an
// optional '.' fraction and an optional exponent ("2", "2.5", ".5", "1e-3"); values may carry
// a sign and surrounding spaces. "1,5", "abc" and an empty value are not numbers.
//
// An engine keeps its last set-up expression: evaluating it again with the same symbols only
// changes the values, which is what makes repeated evaluations cheap.
class CalcEngine
{
public:
    // The parameter rows are checked in order and the first faulty one is reported; the
    // expression is looked at only when every row is sound.
    enum ErrorCode : int {
        NoError = 0,
        MalformedParameters = 1, // the parameter string breaks its grammar
        InvalidSymbol = 2,       // a symbol the expression language cannot name
        RepeatedSymbol = 3,
        NotANumber = 4,          // a value that is not a number, or out of the range of doubles
        SyntaxError = 5,
        UnknownSymbol = 6,       // the expression names something that is neither bound nor built in
        ResultNotFinite = 7,     // division by zero, outside a function's domain, overflow
    };

    CalcEngine();
    ~CalcEngine();
    CalcEngine(const CalcEngine&) = delete;
    CalcEngine& operator=(const CalcEngine&) = delete;

    // error is NoError exactly when result holds the expression's finite value; otherwise
    // result is NaN and the error accessors tell why.
    void Evaluate(const QString& expression, const QString& parameters, double& result, int& error);

    // For many evaluations of one expression (a sweep): compile() checks the symbols and the
    // expression once, as Evaluate would; evaluate() then binds values[i] to symbols[i] and
    // computes, reading no text. It returns NaN where the expression is not defined (and when
    // nothing is compiled, or the count of values is not the count of symbols), without
    // recording why, so that a point costs no more than the computation.
    ErrorCode compile(const QString& expression, const QStringList& symbols);
    double evaluate(const std::vector<double>& values);

    // A call of a function whose argument is a plain number (sin, exp, ln and the like): its
    // name and the argument it was handed.
    struct PlainCall
    {
        const char* function;
        double argument;
    };
    // evaluate(), telling in calls every such call in the order it was made: how the check of
    // units finds a function handed a quantity that has a unit.
    double evaluate(const std::vector<double>& values, std::vector<PlainCall>& calls);

    // True when text can name a parameter by the rules above: a symbol, and not the name of a
    // constant (_pi, _e).
    static bool isParameterSymbol(const QString& text);
    // The number a value holds by the rules above; nullopt when it is no number.
    static std::optional<double> number(const QString& text);
    // The number a text starts with, read by the same rules, and what follows it: "2500 mm"
    // gives 2500, "2500" and " mm". nullopt when the text starts with no number.
    struct LeadingNumber
    {
        double value;
        QString number; // as typed
        QString rest;
    };
    static std::optional<LeadingNumber> leadingNumber(const QString& text);

    ErrorCode lastError() const { return error_; }
    // A sentence for the user; empty after a success.
    const QString& errorMessage() const { return message_; }
    // Index of the offending character in the expression, -1 when the error lies elsewhere.
    qsizetype errorPosition() const { return position_; }

private:
    struct Binding;
    struct Compiled;

    void clearError();
    ErrorCode run(const QString& expression, const QString& parameters, double& result);
    ErrorCode bind(const QString& parameters, Binding& binding);
    ErrorCode addSymbol(const QString& symbol, double value, Binding& binding);
    ErrorCode setUp(const QString& expression, const Binding& binding, double& result);
    ErrorCode fail(ErrorCode code, const QString& message, qsizetype position = -1);

    std::unique_ptr<Compiled> compiled_;
    ErrorCode error_ = NoError;
    QString message_;
    qsizetype position_ = -1;
};
