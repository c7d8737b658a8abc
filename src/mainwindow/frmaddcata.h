#pragma once

#include "ui_frmaddcata.h"

#include <QDialog>

class form1;

// Adds a catalog under the root or the selected catalog, or changes the selected catalog's
// name and description. Its caption tells the two apart.
class Frmaddcata : public QDialog
{
    Q_OBJECT
public:
    explicit Frmaddcata(form1& main);

    // Sets the dialog up to change the catalog captioned caption.
    void setModify(const QString& caption, const QString& description);

private:
    void Command1_Click();
    bool addCatalog(const QString& name, const QString& description);
    bool modifyCatalog(const QString& name, const QString& description);

    Ui::Frmaddcata ui;
    form1& main_;
};
