#pragma once

#include <QString>

class Store;

// A named constant: global (a row of GlobalVariant) or of one catalog (a row of its table).
struct Variable
{
    QString name;
    QString symbol;
    QString unit;
    QString value;
    QString description;
};

namespace Variables {
// table is GlobalVariant for a global variable, else the catalog's own table (its indtable).
void add(Store& store, const QString& table, const Variable& variable);
}
