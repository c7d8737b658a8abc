#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QTextStream;

// A sweep's results as a table: a column per swept parameter, then the result; a row per point.
struct SweepTable
{
    QStringList header;
    std::vector<std::vector<double>> columns; // the result last, NaN where the formula is not defined
    int precision = 0;                        // decimals of the result, as the formula shows it

    std::size_t rowCount() const { return columns.empty() ? 0 : columns.front().size(); }
    // A cell as it is shown: parameters in plain decimals, the result as the result list shows
    // it, or Undefined.
    QString text(std::size_t row, std::size_t column) const;
    QStringList rowTexts(std::size_t row) const;
    bool undefinedAt(std::size_t row) const;

    // What stands for a result where the formula is not defined, on screen and in files.
    static const QString Undefined;
};

// Comma-separated values with a header line, quoted where a text needs it; every number in full.
void writeCsv(const SweepTable& table, QTextStream& out);
// The same as the whole file at path: why it could not be written, or an empty string.
QString saveCsv(const SweepTable& table, const QString& path);
// A workbook of one sheet, numbers as numbers; false with the reason in problem.
bool writeXlsx(const SweepTable& table, const QString& path, QString& problem);
