#include "texttable.h"

#include "store/textrules.h"

#include <QTextStream>

TextTable::TextTable(QList<Align> columns)
    : columns_(std::move(columns))
{
}

void TextTable::addRow(const QStringList& cells)
{
    QStringList& row = rows_.emplaceBack();
    for (const QString& cell : cells)
        row.append(TextRules::oneLine(cell));
}

void TextTable::print(QTextStream& out) const
{
    QList<qsizetype> widths(columns_.size(), 0);
    for (const QStringList& row : rows_) {
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row.at(c).size());
    }
    for (const QStringList& row : rows_) {
        QString line;
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c) {
            if (c > 0)
                line += QLatin1String("  ");
            line += columns_.at(c) == Align::Right ? row.at(c).rightJustified(widths.at(c))
                                                   : row.at(c).leftJustified(widths.at(c));
        }
        // Padding of the last cells is no use at the end of a line.
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out << line << '\n';
    }
}
