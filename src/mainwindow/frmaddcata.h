#pragma once

#include "mainwindow/catalogs.h"

#include <QDialog>
#include <QSqlRecord>
#include <functional>
#include <memory>
#include <optional>

class FormulaTree;
class Messages;
class QPlainTextEdit;
class Store;
namespace Ui {
class Frmaddcata;
}

// Adds a catalog under the root or the selected catalog, or changes the selected catalog's
// name and description. Its caption tells the two apart.
class Frmaddcata : public QDialog
{
    Q_OBJECT
public:
    // description: the main window's description box, which shows the catalog once it is stored.
    Frmaddcata(Store& store, Messages& messages, FormulaTree& tree, QPlainTextEdit& description, QWidget* parent);
    ~Frmaddcata() override;

    // Sets the dialog up to change the catalog of row, its row of CataConstruct.
    void setModify(const QSqlRecord& row);

signals:
    // What was stored, once the tree shows it. parentKey is a catalog's caption or the root's key.
    void catalogAdded(const QString& parentKey, const QString& name, const QString& description);
    void catalogModified(const QString& oldName, const QString& name, const QString& description);

private:
    void Command1_Click();
    bool addCatalog(const QString& name, const QString& description);
    bool modifyCatalog(const QString& name, const QString& description);
    // Runs check and, when it finds nothing wrong with name, write; shows what either found,
    // naming item where another window changed it.
    bool storeChecked(const QString& name, const QString& item, const std::function<Catalogs::Problem()>& check,
                      const std::function<Catalogs::Problem()>& write);
    // Tells the problem of a save, naming the catalog another window changed; false for none.
    bool refuse(Catalogs::Problem problem, const QString& catalog);

    std::unique_ptr<Ui::Frmaddcata> ui;
    Store& store_;
    Messages& messages_;
    FormulaTree& tree_;
    QPlainTextEdit& description_;
    // The catalog being changed as the library held it when the dialog opened.
    std::optional<QSqlRecord> read_;
};
