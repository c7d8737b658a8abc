#pragma once

#include "variables/variables.h"

#include <QDialog>
#include <memory>
#include <optional>

class Messages;
class QTreeWidget;
class QTreeWidgetItem;
class Store;
namespace Ui {
class Frmaddvar;
}

// Adds a variable to a level of the tree, or changes one entry of the main window's variable
// list, which shows the level. Its caption tells the two apart; "Next" adds one after another.
class Frmaddvar : public QDialog
{
    Q_OBJECT
public:
    // level: a catalog's caption, or an empty text for the root; nullopt when the tree shows
    // neither, and there is nowhere to save.
    Frmaddvar(Store& store, Messages& messages, QTreeWidget& list, std::optional<QString> level, QWidget* parent);
    ~Frmaddvar() override;

    // Sets the dialog up to change the variable of entry, a row of the list.
    void setModify(QTreeWidgetItem* entry);

private:
    void Command1_Click();
    void Command3_Click();
    // Checks the fields, then adds or changes the variable; true when written.
    bool saveVariable();
    bool addVariable(const NamedValue& variable, const QString& level);
    bool modifyVariable(const NamedValue& variable, const QString& level);
    // Says so when the library keeps the stored value rounded.
    void tellRounding(const QString& value);
    // Shows the problem's message, naming item where it names the variable or catalog another
    // window changed; true when there is one.
    bool refuse(Variables::Problem problem, const QString& item = {});

    std::unique_ptr<Ui::Frmaddvar> ui;
    Store& store_;
    Messages& messages_;
    QTreeWidget& list_;
    std::optional<QString> level_;
    // The list entry being changed, in modify mode.
    QTreeWidgetItem* entry_ = nullptr;
};
