#pragma once

#include <QList>
#include <QString>

class Store;

// One parameter row of a formula: the symbol the expression uses, and its default value.
struct FormulaParameter
{
    QString name;
    QString symbol;
    QString unit;
    QString value;
    QString description;
};

struct Formula
{
    QString name;       // caption in the tree, and the name of its table
    QString function;   // the symbol of the result
    QString unit;
    QString expression;
    QString description;
    QString precision;  // decimal places of the shown result, 1 to 8
    QList<FormulaParameter> parameters;
};

namespace Formulas {
// Stores a new formula: its table, its formula row, its parameter rows, and its place in the
// tree under parent (a catalog's caption, or empty for the root).
void add(Store& store, const Formula& formula, const QString& parent);
}
