#pragma once

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

// A workbook file read back as a spreadsheet program reads it: unzipped, its worksheets found
// through the workbook's relationships, its shared strings resolved.
struct XlsxFile
{
    struct Cell
    {
        QString value;       // the text, or the number as written in the file
        bool number = false; // a numeric cell rather than a text
    };
    using Sheet = QMap<QString, Cell>; // by address, "A1"

    // Reads path; error tells what was wrong with it.
    explicit XlsxFile(const QString& path);

    QString error;
    QStringList sheetNames;
    QHash<QString, Sheet> sheets;
};
