#pragma once

#include "store/columntype.h"

#include <QString>

// A value a column of the library cannot hold, with what is known of where it was to go: enough
// to tell the user which field of which formula, parameter or variable it is, and what to type
// instead.
struct UnfitValue
{
    // What the table holds.
    enum class Table {
        Formula,         // a formula's table: its own row and its parameters'
        Catalog,         // a catalog's table: its variables
        GlobalVariables, // GlobalVariant
        Tree,            // CataConstruct
        History,         // ParaResult
        Other,
    };

    Table table = Table::Other;
    QString tableName; // as the statement names it
    QString owner;     // the caption of the formula or catalog whose table it is, when known
    QString column;    // as the statement names it
    QString value;     // as given
    ColumnType::Misfit misfit;
    bool formulaRow = false; // in a formula's table: the formula's own row, not a parameter's
    QString rowName;         // the row's name and symbol, as far as the statement gives them
    QString rowSymbol;

    // The field, what is wrong with the value and what to do, in plain words.
    QString userText() const;
};
