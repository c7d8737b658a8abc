#pragma once

#include "calc/computation.h"

#include <QDialog>
#include <memory>

class Messages;
namespace Ui {
class Frmresult;
}

// Lists the computations of the main window's result list; OK on one gives its result, as the
// list shows it, for the grid cell being edited.
class Frmresult : public QDialog
{
    Q_OBJECT
public:
    Frmresult(const QList<ComputationRecord>& computations, const Messages& messages, QWidget* parent);
    ~Frmresult() override;

    // The result chosen with OK.
    const QString& chosen() const { return chosen_; }

private:
    void Form_Load(const QList<ComputationRecord>& computations, const Messages& messages);
    void Command1_Click();

    std::unique_ptr<Ui::Frmresult> ui;
    QString chosen_;
};
