#pragma once

#include "store/namedvalue.h"

#include <QList>
#include <QString>
#include <optional>

class Store;

// A formula as the library holds it: its row of its own table and its parameter rows, with
// its caption. Calculating, editing, exporting and the command line all read it.
struct Formula
{
    QString name;       // caption in the tree, and the name of its table
    QString function;   // the symbol of the result
    QString unit;
    QString expression;
    QString description;
    QString precision;  // decimal places of the shown result, 1 to 8
    QList<NamedValue> parameters;

    // The formula captioned caption, its texts as the user sees them and its parameters in list
    // order: what adding it would store again. nullopt when no formula has that caption, or its
    // own table or row is gone.
    static std::optional<Formula> read(Store& store, const QString& caption);

    friend bool operator==(const Formula& a, const Formula& b)
    {
        return a.name == b.name && a.function == b.function && a.unit == b.unit && a.expression == b.expression
            && a.description == b.description && a.precision == b.precision && a.parameters == b.parameters;
    }
};
