#pragma once

#include <QString>

class Store;
struct Formula;

// A large synthetic formula library for the benchmarks, built through the program's own
// statements so that it looks to the program exactly like one a user made.
//
// Its shape, for a library of n formulas:
//  - BenchTopCatalogs catalogs under the root, Cat1 … Cat20, each with BenchSubCatalogs
//    sub-catalogs Sub<c>x1 … Sub<c>x5 (so Sub7x3 is the third sub-catalog of Cat7);
//  - every catalog holds BenchVariablesPerCatalog variables;
//  - a branch of BenchDeepLevels catalogs under the root, Deep1 … Deep5, each inside the one
//    before, for the catalog chain: the deepest holds BenchDeepVariables variables;
//  - formulas F1 … Fn, each "r = a*b+c" with three parameters a, b, c; F1 … F<BenchRootFormulas>
//    sit directly under the root, Fn in the deepest catalog of the branch, the rest fill the
//    sub-catalogs in order, evenly (the first sub-catalog gets the lowest numbers).
// Names are letters and digits only, as the program's dialogs require.

constexpr int BenchTopCatalogs = 20;
constexpr int BenchSubCatalogs = 5;
constexpr int BenchVariablesPerCatalog = 3;
constexpr int BenchRootFormulas = 10;
constexpr int BenchDeepLevels = 5;
constexpr int BenchDeepVariables = 200;

// Caption of formula number (1-based) and of sub-catalog sub of top-level catalog top.
QString benchFormulaName(int number);
QString benchCatalogName(int top);
QString benchSubCatalogName(int top, int sub);
// Caption of the deep branch's catalog at level (1 under the root, BenchDeepLevels deepest).
QString benchDeepCatalogName(int level);

// Fills an empty library (as Store::createLibrary leaves it) with the library above, in one
// transaction. Raises StoreError as the statements do.
void fillBenchLibrary(Store& store, int formulas);

// The directory of a ready library of that many formulas, under the system's temporary folder.
// It is built on first use and kept, since 10,000 formulas take a while to build; a half-built
// one is never left behind under that name. Benchmarks may compute on it and reset its history
// but must leave its catalogs, formulas and variables as built, so that runs stay comparable.
QString benchLibraryDir(int formulas);

// The same library as earlier versions kept it, every catalog's and formula's table an SQLite
// table of its own (see writeOlderLayout), cached the same way. Opening it for writing brings
// it to today's layout: a benchmark that opens it so works on a copy.
QString benchOlderLibraryDir(int formulas);

// Copies that library into directory, for a benchmark that changes what the library holds;
// returns directory.
QString copyBenchLibrary(int formulas, const QString& directory);

// A ten-parameter formula in engineers' units, which agree: the deflection of a beam under a
// point load, a line load and its own weight, grown by heat, in mm. Not in the library.
Formula benchUnitsFormula();
