#pragma once

#include <QString>

// Rewrites the library in directory as earlier versions kept it: every catalog's and formula's
// table an SQLite table of its own, made by the statement those versions ran, with its rows in
// their order, and no ItemTables or ItemRows. Raises std::runtime_error when a statement fails.
void writeOlderLayout(const QString& directory);
