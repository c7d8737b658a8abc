#pragma once

class Store;

// Writes a small library of real engineering formulas into an empty library: catalogs (one
// nested), formulas with their parameters, global and catalog variables. Everything goes in
// through the same functions the program uses, in one transaction: if any item is refused,
// nothing is written. Errors are StoreError.
void fillSampleLibrary(Store& store);
