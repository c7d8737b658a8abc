#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class Worksheet;

// Writes the workbook's file and frees it, whether or not the file could be written. Returns why
// it could not, in the system's words where it has them ("No space left on device"), or an
// empty string.
QString closeWorkbook(lxw_workbook* book);

// A workbook filled the way a spreadsheet program's automation fills one: it starts with one
// worksheet, "Sheet1"; worksheets are found by name, without case; cells are set through
// range(address).setValue(…). It becomes an .xlsx file when closed.
class Workbook
{
public:
    // A new workbook, to be written to path.
    explicit Workbook(const QString& path);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // nullptr when the workbook has no worksheet of that name.
    Worksheet* worksheet(const QString& name);
    Worksheet& addWorksheet(const QString& name);

    // Writes the file. Returns why it could not be written, or an empty string.
    QString close();

private:
    lxw_workbook* book_;
    lxw_format* bold_ = nullptr;
    std::vector<std::unique_ptr<Worksheet>> sheets_;
    QString error_; // the first write that failed
};

class Worksheet
{
public:
    // A cell, addressed as the spreadsheet's user addresses it ("A1", "AB12").
    class Range
    {
    public:
        void setValue(const QString& text);
        void setValue(double number);

    private:
        friend class Worksheet;
        Range(Worksheet& sheet, int row, int column)
            : sheet_(sheet)
            , row_(row)
            , column_(column)
        {
        }
        Worksheet& sheet_;
        int row_;
        int column_;
    };

    const QString& name() const { return name_; }
    Range range(const QString& address);
    // Row and column count from 0.
    Range cell(int row, int column) { return Range(*this, row, column); }
    // The letters of a column, counted from 0: A … Z, then AA, AB, …
    static QString columnName(int column);

    // The row's cells are bold.
    void setBoldRow(int row);
    // The rows above row stay in view while the rest scrolls.
    void freezeRowsAbove(int row);

private:
    friend class Workbook;
    Worksheet(lxw_worksheet* sheet, const QString& name, lxw_format* bold, QString& error);
    void written(int error, int column, qsizetype characters);
    // Makes every column wide enough for its longest text.
    void fitColumns();

    lxw_worksheet* sheet_;
    QString name_;
    lxw_format* bold_;
    QString& error_;
    QSet<int> boldRows_;
    QList<qsizetype> widths_; // the widest value of each column so far, in characters
};
