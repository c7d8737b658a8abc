#pragma once

#include <QString>

// A value to be spliced between single quotes of a statement: its quotes doubled, so that
// whatever the user typed is stored as typed and can never end the literal early.
QString sqlValue(const QString& value);
