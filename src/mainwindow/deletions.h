#pragma once

#include <QString>

class Store;

namespace Deletions {
// Removes a formula or a catalog: its own table (with its parameters or variables) and its row.
void deleteItem(Store& store, const QString& caption);
// Removes every catalog and formula; the global variables stay.
void deleteAll(Store& store);
} // namespace Deletions
