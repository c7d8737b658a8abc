#pragma once

class Store;

namespace History {
// Forgets every computation: empties ParaResult and sets each formula's counter back to '0',
// so that the next computation of any formula is number 1.
void reset(Store& store);
}
