#pragma once

#include <QString>

// Catalogs and formulas get a table named after them, spliced into statements unquoted.
// True when name can stand there as a table name: it starts with a letter, an underscore or a
// character outside ASCII, goes on with those or digits, and is not one of SQLite's keywords
// or reserved names. Whether a table of that name exists already is another question.
bool isUsableTableName(const QString& name);
