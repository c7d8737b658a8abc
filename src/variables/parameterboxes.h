#pragma once

#include "store/namedvalue.h"

#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;
class Messages;
class QWidget;

// The five boxes both parameter dialogs have, read and written as one parameter.
struct ParameterBoxes
{
    QLineEdit& symbol;
    QLineEdit& name;
    QLineEdit& value;
    QLineEdit& unit;
    QPlainTextEdit& description;

    NamedValue typed() const;
    void show(const NamedValue& parameter) const;
};

// The symbols of the rows of the formula editor's parameter list, in order.
QStringList parameterSymbols(const QTreeWidget& list);

// Whether parameter may go into the parameter list, its symbol differing from takenSymbols;
// if not, the reason is shown over dialog.
bool acceptParameter(Messages& messages, QWidget& dialog, const NamedValue& parameter, const QStringList& takenSymbols);
