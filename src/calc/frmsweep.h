#pragma once

#include "calc/sweepchart.h"
#include "store/formula.h"

#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class CalcEngine;
class SweepRangeBoxes;
class SweepTableModel;
class UserDialogs;
struct ChartDrawing;
struct SweepPlan;
namespace Ui {
class Frmsweep;
}

// A formula computed over a range of one of its parameters, and optionally over a second one
// for a family of curves, every other parameter at the value it was given: the table of values
// and their chart, saved as calcora-cli sweep saves them. A window of its own beside the main
// window, working on its own copy of the formula.
class Frmsweep : public QWidget
{
    Q_OBJECT
public:
    // inputs: a value for each parameter's symbol, as the grid holds them; a parameter left
    // out takes its default. messageTitle: the title of every message box it shows.
    Frmsweep(const Formula& formula, const QHash<QString, QString>& inputs, UserDialogs& dialogs,
             const ChartDrawing& charts, const QString& messageTitle, QWidget* parent = nullptr);
    ~Frmsweep() override;

private:
    void ComputeButton_Click();
    void SaveCsvButton_Click();
    void SaveXlsxButton_Click();
    void SavePngButton_Click();
    void SaveSvgButton_Click();

    // The sweep as the boxes set it up; nullopt once the user was told why there is none.
    std::optional<SweepPlan> plan();
    // How a value typed for the parameter of symbol becomes the number the formula computes
    // with: today the engine's reading of a number, in the parameter's own unit. A value typed
    // with a unit of its own is to be converted here.
    std::optional<double> number(const QString& symbol, const QString& text) const;
    QString input(const QString& symbol) const;
    // A range around the parameter's value for range to start from: from zero to twice it
    // for the parameter that varies, from it to twice it in three curves for the second.
    void suggestRange(SweepRangeBoxes& range, const QString& symbol, bool curves);
    void showOthers();
    // Asks where to save, then write(path) gives why it could not, or an empty string.
    void saveAs(const QString& filter, const QString& what, const std::function<QString(const QString&)>& write);
    void saveChartAs(const QString& filter);
    void tell(const QString& text);

    std::unique_ptr<Ui::Frmsweep> ui_;
    Formula formula_;
    QHash<QString, QString> inputs_;
    UserDialogs& dialogs_;
    const ChartDrawing& charts_;
    QString messageTitle_;
    std::unique_ptr<CalcEngine> engine_;
    SweepTableModel* model_;
    QWidget* chartView_;
    std::optional<SweepChart> chart_; // the chart shown, for saving
    QString summary_;                 // what the last computation gave
};
