#pragma once

#include <QString>

class QSqlRecord;
class QVariant;

// A column's value as the user sees it. Decimals read in plain notation with the places they
// have (0.0001, not 1e-04; 2.5, not 2.5000); texts as stored; NULL as an empty text.
QString fieldText(const QSqlRecord& row, const QString& column);
// The same for a value as the library keeps it (see Store::storedValue).
QString valueText(const QVariant& value);

// A name as it stands in a sentence: as it is, or between quotes where it would blur the sentence
// (a blank, a quote, a comma, a full stop in it).
QString nameInSentence(const QString& name);
