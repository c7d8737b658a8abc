#pragma once

#include <QList>
#include <QString>
#include <optional>

// The text that carries the parameter grid to the calculation engine: "#", then for every grid
// row its symbol, "||", its value and "#", then a closing "#". An empty grid row gives "||#",
// so two filled rows in a six-row grid read "#a||2#b||3#||#||#||##".
// Texts travel unquoted, so a symbol or value can never hold '#' or '|'.
namespace ParameterString {

struct Pair
{
    QString symbol;
    QString value;

    friend bool operator==(const Pair& a, const Pair& b) { return a.symbol == b.symbol && a.value == b.value; }
};

// Whether a symbol or value can travel in the string: it holds no '#' and no '|', which would
// change the pairs the string splits into.
bool carries(const QString& text);

// The string for the grid's rows as they stand; nullopt when some text cannot travel in it.
std::optional<QString> build(const QList<Pair>& rows);

struct Parsed
{
    QList<Pair> pairs; // every pair in order, empty ones included
    QString error;     // why the text is malformed; empty when it parsed

    bool ok() const { return error.isEmpty(); }
};

Parsed parse(const QString& text);

} // namespace ParameterString
