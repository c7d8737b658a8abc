#include "calc/resultworkbook.h"

#include "calc/calcengine.h"
#include "calc/wholefile.h"
#include "calc/workbook.h"
#include "store/itemname.h"
#include "store/sqltext.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Each workbook's own folder under the temporary folder, and its name there.
const QString FolderPattern = QStringLiteral("calcora-workbook-XXXXXX");
const QString FileName = QStringLiteral("Results.xlsx");
// How long a workbook of an earlier run is left for a spreadsheet program that may still show it.
constexpr qint64 KeptSeconds = 24 * 60 * 60;

// The columns before the first parameter's.
constexpr int TextColumns = 4;     // formula, expression, result, time
constexpr int NumberColumns = 4;   // formula, computation, time, result

QString address(int column, int row)
{
    return Worksheet::columnName(column) + QString::number(row + 1);
}

// Fills the first worksheet as computations come, one row each below the header row.
class TextSheet
{
public:
    TextSheet(Worksheet& sheet, const ExportTexts& texts)
        : sheet_(sheet)
        , parametersCaption_(texts.parameters)
    {
        sheet.setBoldRow(0);
        sheet.freezeRowsAbove(1);
        sheet.range(QStringLiteral("A1")).setValue(texts.formula);
        sheet.range(QStringLiteral("B1")).setValue(texts.expressionColumn);
        sheet.range(QStringLiteral("C1")).setValue(texts.resultColumn);
        sheet.range(QStringLiteral("D1")).setValue(texts.time);
    }

    void add(const ExportedComputation& computation)
    {
        ++row_;
        const ComputationRecord& listed = computation.computed;
        const QString function = computation.function + QLatin1Char('=');
        sheet_.range(address(0, row_)).setValue(listed.formula);
        // A formula no longer in the library has no expression left to show.
        if (computation.expression)
            sheet_.range(address(1, row_)).setValue(function + *computation.expression);
        sheet_.range(address(2, row_)).setValue(function + listed.result() + QLatin1Char(' ') + listed.unit);
        sheet_.range(address(3, row_)).setValue(listed.time);
        int column = TextColumns;
        for (const NamedValue& parameter : computation.parameters) {
            sheet_.range(address(column, row_))
                .setValue(parameter.symbol + QLatin1Char('=') + parameter.value + QLatin1Char(' ') + parameter.unit);
            // Every parameter column is headed once, by the first computation that reaches it.
            if (column == headedColumns_) {
                sheet_.range(address(column, 0)).setValue(parametersCaption_);
                ++headedColumns_;
            }
            ++column;
        }
    }

private:
    Worksheet& sheet_;
    QString parametersCaption_;
    int row_ = 0;
    int headedColumns_ = TextColumns;
};

// Collects the computations by formula, then writes one table per formula, in the order the
// formulas first appear in the list, each under its own header row. Each computation is told as
// it was made: under the function name and units it used, with every digit of its result.
class NumberTables
{
public:
    explicit NumberTables(const ExportTexts& texts)
        : texts_(texts)
    {
    }

    void add(const ComputationRecord& computation)
    {
        const QString key = foldedName(computation.formula);
        auto table = tables_.find(key);
        if (table == tables_.end()) {
            order_.append(key);
            const QString function = computation.function.isEmpty() ? texts_.resultColumn : computation.function;
            table = tables_.insert(key, {heading(function, computation.unit), {}, {}});
        }
        Row row{computation.formula, computation.number, computation.time, computation.value, {}};
        for (const GridRow& parameter : computation.parameters) {
            // A formula changed between two computations gets a column for every symbol and
            // unit it had.
            const QString column = heading(parameter.symbol, parameter.unit);
            qsizetype index = table->columns.indexOf(column);
            if (index < 0) {
                index = table->columns.size();
                table->columns.append(column);
            }
            row.values.resize(std::max(row.values.size(), index + 1));
            row.values[index] = parameter.input;
        }
        table->rows.append(row);
    }

    void write(Worksheet& sheet) const
    {
        int row = 0;
        for (const QString& key : order_) {
            const Table& table = tables_[key];
            sheet.setBoldRow(row);
            const QStringList header = QStringList{texts_.formula, texts_.number, texts_.time, table.result} + table.columns;
            for (int column = 0; column < header.size(); ++column)
                sheet.cell(row, column).setValue(header.at(column));
            for (const Row& computation : table.rows) {
                ++row;
                sheet.cell(row, 0).setValue(computation.formula);
                setNumber(sheet.cell(row, 1), computation.number);
                sheet.cell(row, 2).setValue(computation.time);
                if (std::isfinite(computation.result))
                    sheet.cell(row, 3).setValue(computation.result);
                for (int value = 0; value < computation.values.size(); ++value)
                    setNumber(sheet.cell(row, NumberColumns + value), computation.values.at(value));
            }
            // An empty row between two tables.
            row += 2;
        }
        if (order_.size() == 1)
            sheet.freezeRowsAbove(1);
    }

private:
    struct Row
    {
        QString formula;
        QString number;
        QString time;
        double result;
        QStringList values; // by column, as typed; empty where the computation had no such parameter
    };
    struct Table
    {
        QString result; // the result column's heading
        QStringList columns;
        QList<Row> rows;
    };

    static QString heading(const QString& symbol, const QString& unit)
    {
        return unit.isEmpty() ? symbol : symbol + QStringLiteral(" [") + unit + QLatin1Char(']');
    }

    // As a number where the text reads as one, the way the engine read it; as text otherwise.
    static void setNumber(Worksheet::Range cell, const QString& text)
    {
        if (const std::optional<double> number = CalcEngine::number(text))
            cell.setValue(*number);
        else if (!text.isEmpty())
            cell.setValue(text);
    }

    const ExportTexts& texts_;
    QStringList order_;
    QHash<QString, Table> tables_;
};

} // namespace

ExportOutcome ResultWorkbook::make(ExportSource& source, const ExportTexts& texts, const QString& folder,
                                   const ExportProgress& progress)
{
    QTemporaryDir directory(QDir(folder).filePath(FolderPattern));
    if (!directory.isValid())
        return {ExportOutcome::Kind::Failed, folder, directory.errorString()};
    const QString path = directory.filePath(FileName);
    WholeFile file(path);
    const QString temporary = file.temporaryPath();
    if (temporary.isEmpty())
        return {ExportOutcome::Kind::Failed, path, file.error()};

    Workbook book(temporary);
    TextSheet text(*book.worksheet(QStringLiteral("sheet1")), texts);
    NumberTables numbers(texts);
    const bool complete = source.forEach(progress, [&](const ExportedComputation& computation) {
        text.add(computation);
        numbers.add(computation.computed);
    });
    if (!complete)
        return {ExportOutcome::Kind::Cancelled, path, {}};
    numbers.write(book.addWorksheet(NumbersSheet));
    const QString error = book.close();
    if (!error.isEmpty() || !file.commit())
        return {ExportOutcome::Kind::Failed, path, error.isEmpty() ? file.error() : error};
    // The spreadsheet program reads the file after the export is over.
    directory.setAutoRemove(false);
    return {ExportOutcome::Kind::Written, path, {}};
}

void ResultWorkbook::removeOldWorkbooks(const QString& folder)
{
    // QTemporaryDir puts six letters and digits in place of the Xs.
    static const QRegularExpression ourFolder(QRegularExpression::anchoredPattern(
        QString(FolderPattern).replace(QStringLiteral("XXXXXX"), QStringLiteral("[A-Za-z0-9]{6}"))));
    static const QRegularExpression partial(
        QRegularExpression::wildcardToRegularExpression(WholeFile::partialPattern(FileName)));
    const QDateTime dayAgo = QDateTime::currentDateTime().addSecs(-KeptSeconds);
    const auto old = [&dayAgo](const QFileInfo& info) { return info.lastModified() <= dayAgo; };
    const QDir temporary(folder);
    for (const QFileInfo& candidate : temporary.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        if (!ourFolder.match(candidate.fileName()).hasMatch() || !old(candidate))
            continue;
        const QDir workbook(candidate.filePath());
        const QFileInfoList entries
            = workbook.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        const bool onlyOurs = std::all_of(entries.cbegin(), entries.cend(), [&](const QFileInfo& entry) {
            return entry.isFile() && !entry.isSymLink() && old(entry)
                && (entry.fileName() == FileName || partial.match(entry.fileName()).hasMatch());
        });
        if (!onlyOurs)
            continue;
        for (const QFileInfo& entry : entries)
            QFile::remove(entry.filePath());
        temporary.rmdir(candidate.fileName());
    }
}
