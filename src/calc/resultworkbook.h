#pragma once

#include "calc/exportsource.h"

// The result list as a workbook for a spreadsheet program. Its first worksheet, "Sheet1",
// holds one row of texts per computation under a header row: formula, expression, result,
// time, then one column per parameter ("symbol=value unit"), as far as the computation with the
// most parameters needs. The worksheet "Numbers" holds the same computations with the result,
// every digit of it, and every parameter value as numbers, one table per formula, so that they
// can be summed or charted; its column headers name each value's symbol and unit as the
// computation used them.
namespace ResultWorkbook {

inline const QString NumbersSheet = QStringLiteral("Numbers");

// Makes the workbook as Results.xlsx in a new folder under folder, where the spreadsheet
// program can open it; the outcome's path names it. A workbook that fails or is cancelled
// leaves no folder behind.
ExportOutcome make(ExportSource& source, const ExportTexts& texts, const QString& folder, const ExportProgress& progress);

// Removes the workbooks that earlier runs left under folder for the spreadsheet program: the
// folders make() creates, once nothing in them has changed for a day and they hold nothing but
// the workbook, or what an interrupted export left of it. A spreadsheet program still showing
// one from today, another run writing one, a file the user saved beside one: all stay.
void removeOldWorkbooks(const QString& folder);

} // namespace ResultWorkbook
