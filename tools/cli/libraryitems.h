#pragma once

#include "editor/formulas.h"
#include "mainwindow/librarytree.h"

class Store;

// The items a command names, found as the library finds them (without case for ASCII letters);
// a failure that says what is missing when there is none of that kind.
Formula formulaNamed(Store& store, const QString& name);
const LibraryTree::Node& catalogNamed(const LibraryTree& tree, const QString& name);
