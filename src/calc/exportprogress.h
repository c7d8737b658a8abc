#pragma once

#include "calc/exportsource.h"

#include <QElapsedTimer>
#include <QProgressDialog>

// The progress of an export of the result list: a dialog with a Cancel button, shown only
// when the export looks like taking more than half a second.
class ExportProgressDialog
{
public:
    ExportProgressDialog(const QString& text, const QString& title, QWidget* parent);

    // What the export calls after each computation; false once the user has cancelled.
    ExportProgress callback();

private:
    bool report(int done, int total);

    QProgressDialog dialog_;
    QElapsedTimer sinceUpdate_;
};
