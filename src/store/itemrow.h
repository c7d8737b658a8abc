#pragma once

#include <QSqlRecord>
#include <QString>
#include <optional>

class Store;

// An item's row of CataConstruct: the one way every command finds a catalog or a formula, by
// its caption, and through the row its own table (indtable), never by its name directly.
namespace ItemRow {

enum class Kind { Any, Catalog, Formula };

// The row captioned caption, compared as the library compares captions (without case for
// ASCII letters); nullopt when there is none of that kind.
std::optional<QSqlRecord> find(Store& store, const QString& caption, Kind kind = Kind::Any);
// The same, letter case too: not when another window renamed or deleted the item since this
// one showed it, even to a new case of its name.
std::optional<QSqlRecord> findExactly(Store& store, const QString& caption, Kind kind = Kind::Any);
// The item's own table; nullopt when no item has that caption.
std::optional<QString> table(Store& store, const QString& caption);
// The row of the item whose own table is named table; nullopt when no item's is.
std::optional<QSqlRecord> holdingTable(Store& store, const QString& table);

} // namespace ItemRow
