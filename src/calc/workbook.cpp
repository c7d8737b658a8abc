#include "calc/workbook.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <locale.h>
#include <new>
#include <stdexcept>
#include <xlsxwriter.h>

namespace {

// A column is never made wider than this many characters: a long expression stays readable
// in its cell without pushing every other column out of sight.
constexpr qsizetype WidestColumn = 80;
// Room for the cell's margins, so that the text does not touch the grid lines.
constexpr double ColumnMargin = 2;

} // namespace

QString closeWorkbook(lxw_workbook* book)
{
    // The library prints the numbers into the file as it closes, with the C library, whose
    // decimal mark follows the user's locale (a comma in German); a workbook's has a point.
    const locale_t plain = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    const locale_t before = plain ? uselocale(plain) : locale_t(nullptr);
    errno = 0;
    const lxw_error closed = workbook_close(book);
    const int cause = errno;
    if (plain) {
        uselocale(before);
        freelocale(plain);
    }
    if (closed == LXW_NO_ERROR)
        return {};
    // The library's own text names its zip functions; the system's says what went wrong.
    return cause != 0 ? qt_error_string(cause) : QString::fromUtf8(lxw_strerror(closed));
}

Workbook::Workbook(const QString& path)
    : book_(workbook_new(QFile::encodeName(path).constData()))
{
    if (!book_)
        throw std::bad_alloc();
    bold_ = workbook_add_format(book_);
    format_set_bold(bold_);
    addWorksheet(QStringLiteral("Sheet1"));
}

Workbook::~Workbook()
{
    if (book_)
        lxw_workbook_free(book_);
}

Worksheet* Workbook::worksheet(const QString& name)
{
    for (const auto& sheet : sheets_) {
        if (sheet->name().compare(name, Qt::CaseInsensitive) == 0)
            return sheet.get();
    }
    return nullptr;
}

Worksheet& Workbook::addWorksheet(const QString& name)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book_, name.toUtf8().constData());
    if (!sheet)
        throw std::invalid_argument("worksheet name refused: " + name.toStdString());
    sheets_.push_back(std::unique_ptr<Worksheet>(new Worksheet(sheet, name, bold_, error_)));
    return *sheets_.back();
}

QString Workbook::close()
{
    for (const auto& sheet : sheets_)
        sheet->fitColumns();
    const QString closed = closeWorkbook(book_);
    book_ = nullptr;
    if (error_.isEmpty())
        error_ = closed;
    return error_;
}

Worksheet::Worksheet(lxw_worksheet* sheet, const QString& name, lxw_format* bold, QString& error)
    : sheet_(sheet)
    , name_(name)
    , bold_(bold)
    , error_(error)
{
}

Worksheet::Range Worksheet::range(const QString& address)
{
    const QByteArray cell = address.toLatin1();
    return Range(*this, int(lxw_name_to_row(cell.constData())), int(lxw_name_to_col(cell.constData())));
}

QString Worksheet::columnName(int column)
{
    char name[LXW_MAX_COL_NAME_LENGTH] = {};
    lxw_col_to_name(name, lxw_col_t(column), 0);
    return QString::fromLatin1(name);
}

void Worksheet::setBoldRow(int row)
{
    boldRows_.insert(row);
    // Also the row's empty cells, so that a heading typed there later is bold too.
    worksheet_set_row(sheet_, lxw_row_t(row), LXW_DEF_ROW_HEIGHT, bold_);
}

void Worksheet::freezeRowsAbove(int row)
{
    worksheet_freeze_panes(sheet_, lxw_row_t(row), 0);
}

void Worksheet::Range::setValue(const QString& text)
{
    lxw_format* format = sheet_.boldRows_.contains(row_) ? sheet_.bold_ : nullptr;
    const lxw_error error
        = worksheet_write_string(sheet_.sheet_, lxw_row_t(row_), lxw_col_t(column_), text.toUtf8().constData(), format);
    sheet_.written(error, column_, text.size());
}

void Worksheet::Range::setValue(double number)
{
    lxw_format* format = sheet_.boldRows_.contains(row_) ? sheet_.bold_ : nullptr;
    const lxw_error error = worksheet_write_number(sheet_.sheet_, lxw_row_t(row_), lxw_col_t(column_), number, format);
    sheet_.written(error, column_, QString::number(number).size());
}

void Worksheet::written(int error, int column, qsizetype characters)
{
    if (error != LXW_NO_ERROR) {
        if (error_.isEmpty())
            error_ = QString::fromUtf8(lxw_strerror(lxw_error(error)));
        return;
    }
    if (widths_.size() <= column)
        widths_.resize(column + 1);
    widths_[column] = std::max(widths_[column], characters);
}

void Worksheet::fitColumns()
{
    for (int column = 0; column < widths_.size(); ++column) {
        const double width = double(std::min(widths_[column], WidestColumn)) + ColumnMargin;
        if (width > LXW_DEF_COL_WIDTH)
            worksheet_set_column(sheet_, lxw_col_t(column), lxw_col_t(column), width, nullptr);
    }
}
