#pragma once

#include "calc/exportsource.h"

// The result list as a text file: five lines per computation, in list order, for reading and
// for pasting into a report. UTF-8, every line ending in CR LF, so that it reads alike on
// every desktop.
namespace ResultText {

// The lines about one computation, each ending in CR LF, then two empty lines.
QString block(const ExportedComputation& computation, const ExportTexts& texts);

// Writes every computation of source to path, replacing what is there. The file takes its
// place only once all of it is written: an export that fails or is cancelled leaves whatever
// was there before.
ExportOutcome write(ExportSource& source, const ExportTexts& texts, const QString& path, const ExportProgress& progress);

} // namespace ResultText
