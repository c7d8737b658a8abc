#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QSqlRecord;
class Store;

// A symbol with its name, value, unit and description: a variable of a catalog or of the root,
// or a parameter of a formula, whose value is its default. Both are rows of the same columns
// (varname, name, defvalue, unit, descr), and a variable copied into a formula's parameters
// becomes one as it is. The lists of the windows show one a row.
struct NamedValue
{
    QString name;
    QString symbol;
    QString unit;
    QString value;
    QString description;

    // As the lists show it, column by column: symbol, name, value, unit, description.
    QStringList listFields() const { return {symbol, name, value, unit, description}; }
    static NamedValue fromListFields(const QStringList& fields)
    {
        return {fields.value(1), fields.value(0), fields.value(3), fields.value(2), fields.value(4)};
    }
    // A row of a variable or formula table, its texts as the user sees them.
    static NamedValue fromRow(const QSqlRecord& row);
    // Every row of a variable table (GlobalVariant or a catalog's own table), in the order the
    // table returns them.
    static QList<NamedValue> readTable(Store& store, const QString& table);

    friend bool operator==(const NamedValue& a, const NamedValue& b) { return a.listFields() == b.listFields(); }
};
