#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <optional>

class Store;

// Adding and changing catalogs, without any widget: the checks in the order the user meets
// them, and the statements of each change.
namespace Catalogs {

// Why a name or description is refused; each has its own message.
enum class Problem {
    None,
    SpecialCharacter,     // blank or ASCII punctuation in the name
    DescriptionTooLong,   // over 50 characters
    EmptyName,
    FirstCharacterDigit,  // only when adding: the name becomes a table name
    NameInUse,            // a catalog's or a formula's caption
    TableNameInUse,       // a formula's or catalog's table, or one of the fixed tables
    ReservedName,         // the tree root's key, or SQLite's own prefix
    UnstorableName,       // NUL or a broken character
    UnprintableName,      // a line break, a tab, another control character or a look-alike blank
    NameTooLong,
    Missing,              // the catalog being changed is no longer in the library
    ParentMissing,        // the catalog to add into is gone: another window renamed or deleted it
    Changed,              // another window changed the catalog since the dialog read it
};

constexpr int MaxDescriptionLength = 50;

// Checks both modes make before touching the library: the first problem, or all of them in
// the order the user meets them, one for each of the two fields at most.
Problem checkInput(const QString& name, const QString& description);
QList<Problem> inputProblems(const QString& name, const QString& description);
Problem checkAdd(Store& store, const QString& name);
// oldName is the catalog's current caption; an unchanged name passes, if the catalog is still there.
Problem checkRename(Store& store, const QString& oldName, const QString& newName);

// The catalog captioned caption, its row of CataConstruct; nullopt when there is none.
std::optional<QSqlRecord> read(Store& store, const QString& caption);

// parent is the caption of the catalog to add into, or empty for a catalog under the root.
// ParentMissing, and nothing written, when parent is no longer there.
Problem add(Store& store, const QString& name, const QString& parent, const QString& description);
// Changes name and description; an unchanged name changes the description alone. asRead is the
// catalog's row as the dialog read it (read()); Missing or Changed, and nothing written, when
// the library no longer holds it so.
Problem modify(Store& store, const QString& oldName, const QString& newName, const QString& description,
               const QSqlRecord& asRead);

} // namespace Catalogs
