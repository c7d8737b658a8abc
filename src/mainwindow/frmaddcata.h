#pragma once

#include "mainwindow/catalogs.h"
#include "ui_frmaddcata.h"

#include <QDialog>
#include <functional>

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
    // Runs check and, when it finds nothing wrong with name, write; shows what it found.
    bool storeChecked(const QString& name, const std::function<Catalogs::Problem()>& check, const std::function<void()>& write);

    Ui::Frmaddcata ui;
    form1& main_;
};
