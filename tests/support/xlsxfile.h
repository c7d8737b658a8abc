#pragma once

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

// A workbook file read back as a spreadsheet program reads it: unzipped, its worksheets found
// through the workbook's relationships, its shared strings and styles resolved.
class XlsxFile
{
public:
    struct Cell
    {
        QString value;       // the text, or the number as written in the file
        bool number = false; // a numeric cell rather than a text
        bool bold = false;
    };
    struct Sheet
    {
        QMap<QString, Cell> cells; // by address, "A1"
        int frozenRows = 0;
        QHash<int, double> widths; // column (from 1) to width, where one was set
    };

    // Reads path; error() tells what was wrong with it.
    explicit XlsxFile(const QString& path);

    const QString& error() const { return error_; }
    const QStringList& sheetNames() const { return names_; }
    Sheet sheet(const QString& name) const { return sheets_.value(name); }

    // The entries of a zip archive by name, inflated; empty with error set on a broken archive.
    static QHash<QString, QByteArray> unzip(const QByteArray& archive, QString& error);

private:
    QString error_;
    QStringList names_;
    QHash<QString, Sheet> sheets_;
};
