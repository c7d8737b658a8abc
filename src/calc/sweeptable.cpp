#include "calc/sweeptable.h"

#include "calc/resultformat.h"
#include "calc/wholefile.h"
#include "calc/workbook.h"

#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

const QString SweepTable::Undefined = QStringLiteral("undefined");

namespace {

// A text as a field, quoted where it needs it. A spreadsheet reads a field that starts like a
// formula (=, +, -, @, or a TAB or CR before one) as a formula, so such a text gets a leading
// ' that keeps it a text.
QString csvField(QString text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        text.prepend(QLatin1Char('\''));
    static const QString needQuotes = QStringLiteral(",\"\n\r");
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return needQuotes.contains(c); }))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// libxlsxwriter tells its errors on standard error as well; while one is about, the command's
// own line is the only one there.
class QuietStandardError
{
public:
    QuietStandardError()
        : saved_(::dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

} // namespace

QString SweepTable::text(std::size_t row, std::size_t column) const
{
    if (column + 1 < columns.size())
        return QString::number(columns[column][row], 'f', QLocale::FloatingPointShortest);
    return undefinedAt(row) ? Undefined : resultText(columns.back()[row], precision);
}

QStringList SweepTable::rowTexts(std::size_t row) const
{
    QStringList texts;
    for (std::size_t c = 0; c < columns.size(); ++c)
        texts.append(text(row, c));
    return texts;
}

bool SweepTable::undefinedAt(std::size_t row) const
{
    return std::isnan(columns.back()[row]);
}

void writeCsv(const SweepTable& table, QTextStream& out)
{
    QStringList header;
    for (const QString& title : table.header)
        header.append(csvField(title));
    out << header.join(QLatin1Char(',')) << '\n';
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const double value = table.columns[c][row];
            out << (c > 0 ? "," : "") << (std::isnan(value) ? SweepTable::Undefined : fullPrecision(value));
        }
        out << '\n';
    }
}

QString saveCsv(const SweepTable& table, const QString& path)
{
    QString text;
    QTextStream stream(&text);
    writeCsv(table, stream);
    stream.flush();
    return WholeFile::save(path, text.toUtf8());
}

bool writeXlsx(const SweepTable& table, const QString& path, QString& problem)
{
    WholeFile file(path);
    const QString temporary = file.temporaryPath();
    const QuietStandardError quiet;
    lxw_workbook* workbook = temporary.isEmpty() ? nullptr : workbook_new(QFile::encodeName(temporary).constData());
    if (!workbook) {
        problem = file.error().isEmpty() ? QStringLiteral("the workbook cannot be made") : file.error();
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Sweep");
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    // The result to the formula's precision, as the desktop shows it; the cell keeps every digit.
    lxw_format* result = workbook_add_format(workbook);
    if (table.precision >= 1 && table.precision <= 8)
        format_set_num_format(result, ("0." + std::string(std::size_t(table.precision), '0')).c_str());

    lxw_error refused = LXW_NO_ERROR; // the first cell the workbook did not take
    const auto check = [&refused](lxw_error error) {
        if (refused == LXW_NO_ERROR)
            refused = error;
    };
    for (qsizetype c = 0; c < table.header.size(); ++c)
        check(worksheet_write_string(sheet, 0, lxw_col_t(c), table.header.at(c).toUtf8().constData(), bold));
    const std::size_t resultColumn = table.columns.size() - 1;
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const double value = table.columns[c][row];
            const lxw_row_t line = lxw_row_t(row + 1);
            if (std::isnan(value))
                check(worksheet_write_string(sheet, line, lxw_col_t(c), SweepTable::Undefined.toUtf8().constData(), nullptr));
            else
                check(worksheet_write_number(sheet, line, lxw_col_t(c), value, c == resultColumn ? result : nullptr));
        }
    }
    problem = closeWorkbook(workbook);
    if (problem.isEmpty() && refused != LXW_NO_ERROR)
        problem = QString::fromUtf8(lxw_strerror(refused));
    if (problem.isEmpty() && !file.commit())
        problem = file.error();
    return problem.isEmpty();
}
