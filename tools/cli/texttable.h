#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// Rows of texts printed in aligned columns two blanks apart, with no blanks at the end of a line.
class TextTable
{
public:
    enum class Align { Left, Right };

    // One alignment per column; a row may have fewer cells than there are columns.
    explicit TextTable(QList<Align> columns);

    // A cell's line breaks and other control characters are written as escapes.
    void addRow(const QStringList& cells);
    void print(QTextStream& out) const;

private:
    QList<Align> columns_;
    QList<QStringList> rows_;
};
