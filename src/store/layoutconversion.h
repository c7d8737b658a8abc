#pragma once

#include <QString>

struct sqlite3;

// Libraries made by earlier versions, and files made by hand, keep every catalog's and formula's
// table as an SQLite table of its own. SQLite reads the definition of every table whenever such
// a file is opened and drops a table at a cost that grows with their number, so a library of
// thousands of formulas opens and deletes slowly. Once, when it is opened for writing, the
// library is brought to today's layout: those tables become rows of ItemTables and ItemRows.
//
// It is all or nothing. The new content is built beside the file, in a temporary file, while the
// library is locked against every other program, and copied into the library in one transaction
// of SQLite's backup; whatever fails on the way leaves the file exactly as it was. Only tables an
// item names (an indtable of CataConstruct) and that ItemRows can hold are moved: with a column
// ItemRows lacks, a key, a default, an index, or named in a view or trigger, a table stays as it
// is, and so do every other table, index, view and trigger of the file.
namespace LayoutConversion {

struct Outcome
{
    int tables = 0;       // moved into ItemTables
    QString problem;      // why nothing was moved, when there were tables to move
    bool damaged = false; // the problem is damage SQLite found in the file
    bool busy = false;    // the problem is another program using the file
};

// Brings the library open on connection to today's layout; the connection must have no
// statement running and no transaction open. Nothing to move gives an empty Outcome.
Outcome convert(sqlite3* connection);

} // namespace LayoutConversion
