#pragma once

#include <QString>

// A table's name as it stands in a statement: between double quotes, its own double quotes
// doubled, so that any name (a keyword such as Index, a name with quotes) names that table and
// nothing else. Values never go into statements as text: they are bound.
QString sqlName(const QString& name);

// A name as the library tells names apart: without case for ASCII letters, exactly for all
// other characters, as SQLite compares table names and NOCASE text.
QString foldedName(const QString& name);
