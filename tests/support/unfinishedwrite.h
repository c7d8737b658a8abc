#pragma once

#include <QString>

// Copies the library in directory into the directory into as a program leaves it when it is
// killed in the middle of a change: the file half changed (every item's row and every caption
// rewritten, some of it already in the file) and beside it the journal that undoes the change.
void copyMidWrite(const QString& directory, const QString& into);
