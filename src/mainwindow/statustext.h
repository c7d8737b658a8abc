#pragma once

#include "calc/fillparametergrid.h"
#include "store/layoutconversion.h"

#include <QList>
#include <QString>

class CalcEngine;
class Store;

// What the main window's status area says, one line each: why the last "Calculate" added
// nothing, and the library's lasting state.
namespace StatusText {

// reason, where it was found when that is known ("row 2 (Mass)", "character 5 of the
// expression").
QString notComputed(const QString& reason, const QString& where = {});

// The engine's reason for its last failure with the grid's rows. A value that is not a number
// is placed at its grid row and named by its parameter; a fault in the expression at its
// character, counted from 1.
QString engineFailure(const CalcEngine& engine, const QList<GridRow>& rows);

// The first row whose symbol or value cannot be handed to the engine at all.
QString untransferable(const QList<GridRow>& rows);

// Empty when the library can be worked with.
QString libraryState(bool readOnly, bool damaged);

// What opening did to a library of the older layout; empty when there was nothing to do, or
// when it was found damaged (which libraryState tells).
QString layoutConversion(const LayoutConversion::Outcome& outcome);

} // namespace StatusText
