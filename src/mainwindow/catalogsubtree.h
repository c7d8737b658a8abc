#pragma once

#include "store/formula.h"
#include "store/namedvalue.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace CatalogExchange {

// A document's catalogs and formulas in the order they are added, every parent before its
// children.
struct Subtree
{
    // Each part with its place in the document, the path to it: "catalog.catalogs[0].formulas[2]".
    struct Catalog
    {
        QString name;
        QString parent; // the caption of a catalog of the subtree; empty for the subtree's own top
        QString description;
        QList<NamedValue> variables;
        QString place;
        QStringList variablePlaces;
    };
    struct Item
    {
        Formula formula;
        QString parent;
        QString place;
        QStringList parameterPlaces;
    };
    QList<Catalog> catalogs;
    QList<Item> formulas;
};

} // namespace CatalogExchange
