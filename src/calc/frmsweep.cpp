#include "calc/frmsweep.h"

#include "calc/calcengine.h"
#include "calc/chartdrawing.h"
#include "calc/resultformat.h"
#include "calc/sweepplan.h"
#include "calc/sweeprangeboxes.h"
#include "calc/sweeptablemodel.h"
#include "layout/userdialogs.h"
#include "ui_frmsweep.h"

#include <QDir>
#include <QHeaderView>
#include <cmath>

Frmsweep::Frmsweep(const Formula& formula, const QHash<QString, QString>& inputs, UserDialogs& dialogs,
                   const ChartDrawing& charts, const QString& messageTitle, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , ui_(std::make_unique<Ui::Frmsweep>())
    , formula_(formula)
    , inputs_(inputs)
    , dialogs_(dialogs)
    , charts_(charts)
    , messageTitle_(messageTitle)
    , engine_(std::make_unique<CalcEngine>())
    , model_(new SweepTableModel(this))
{
    ui_->setupUi(this);
    setWindowTitle(QStringLiteral("Sweep – %1").arg(formula_.name));
    ui_->FormulaLabel->setText(formula_.name + QLatin1String(":  ")
                               + Sweep::withUnit(formula_.function + QLatin1String(" = ") + formula_.expression, formula_.unit));
    chartView_ = charts_.makeView(ui_->ChartArea);
    ui_->ChartLayout->addWidget(chartView_);
    ui_->ValuesTable->setModel(model_);
    ui_->ValuesTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Rows of one height, laid out without measuring each of thousands.
    QHeaderView& rows = *ui_->ValuesTable->verticalHeader();
    rows.setSectionResizeMode(QHeaderView::Fixed);
    rows.setDefaultSectionSize(fontMetrics().height() + 6);
    // The chart gets the larger part of the room.
    ui_->ResultSplitter->setStretchFactor(0, 3);
    ui_->ResultSplitter->setStretchFactor(1, 2);
    ui_->ResultSplitter->setSizes({3 * width(), 2 * width()});

    QList<std::pair<QString, QString>> parameters;
    for (const QString& symbol : SweepPlan::symbolsOf(formula_))
        parameters.append({symbol, Sweep::parameterTitle(Sweep::parameterOf(formula_, symbol))});
    // The first parameter varies; the curves, when asked for, are of the last.
    for (SweepRangeBoxes* range : {ui_->VaryRange, ui_->CurveRange}) {
        const bool curves = range == ui_->CurveRange;
        range->setParameters(parameters);
        if (!parameters.isEmpty()) {
            const QString& symbol = curves ? parameters.constLast().first : parameters.constFirst().first;
            range->setSymbol(symbol);
            suggestRange(*range, symbol, curves);
        }
        connect(range, &SweepRangeBoxes::parameterChosen, this, [this, range, curves](const QString& symbol) {
            suggestRange(*range, symbol, curves);
            showOthers();
        });
        connect(range, &SweepRangeBoxes::entered, this, &Frmsweep::ComputeButton_Click);
    }
    ui_->VaryGroup->setEnabled(!parameters.isEmpty());
    ui_->ComputeButton->setEnabled(!parameters.isEmpty());
    // A family of curves needs a second parameter.
    ui_->CurveGroup->setEnabled(parameters.size() > 1);
    connect(ui_->CurveGroup, &QGroupBox::toggled, this, &Frmsweep::showOthers);
    showOthers();
    ui_->SummaryLabel->setText(parameters.isEmpty() ? QStringLiteral("The formula has no parameter to vary.")
                                                    : QStringLiteral("Compute shows the table and the chart."));

    connect(ui_->ComputeButton, &QPushButton::clicked, this, &Frmsweep::ComputeButton_Click);
    connect(ui_->SaveCsvButton, &QPushButton::clicked, this, &Frmsweep::SaveCsvButton_Click);
    connect(ui_->SaveXlsxButton, &QPushButton::clicked, this, &Frmsweep::SaveXlsxButton_Click);
    connect(ui_->SavePngButton, &QPushButton::clicked, this, &Frmsweep::SavePngButton_Click);
    connect(ui_->SaveSvgButton, &QPushButton::clicked, this, &Frmsweep::SaveSvgButton_Click);
    connect(ui_->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* save : {ui_->SaveCsvButton, ui_->SaveXlsxButton, ui_->SavePngButton, ui_->SaveSvgButton})
        save->setEnabled(false);
}

Frmsweep::~Frmsweep() = default;

void Frmsweep::ComputeButton_Click()
{
    const std::optional<SweepPlan> sweep = plan();
    if (!sweep)
        return;
    std::optional<SweepTable> table = Sweep::compute(formula_, *sweep, *engine_);
    if (!table) {
        tell(formulaFailure(formula_, *engine_));
        return;
    }
    chart_ = Sweep::chart(formula_, *sweep, *table);
    std::size_t undefined = 0;
    for (std::size_t row = 0; row < table->rowCount(); ++row)
        undefined += table->undefinedAt(row) ? 1 : 0;
    summary_ = QStringLiteral("%1 points.").arg(table->rowCount());
    if (undefined > 0)
        summary_ += QStringLiteral(" The formula is not defined at %1 of them, marked %2.").arg(undefined).arg(SweepTable::Undefined);
    model_->setTable(*std::move(table));
    charts_.show(chartView_, *chart_);
    ui_->SummaryLabel->setText(summary_);
    for (QPushButton* save : {ui_->SaveCsvButton, ui_->SaveXlsxButton, ui_->SavePngButton, ui_->SaveSvgButton})
        save->setEnabled(true);
}

std::optional<SweepPlan> Frmsweep::plan()
{
    SweepPlan sweep;
    sweep.symbols = SweepPlan::symbolsOf(formula_);
    const bool curves = ui_->CurveGroup->isChecked();
    if (curves && ui_->CurveRange->symbol() == ui_->VaryRange->symbol()) {
        tell(QStringLiteral("The curves are drawn for the values of a parameter other than the one that varies: "
                            "choose another one for them."));
        return std::nullopt;
    }
    const SweepRangeBoxes::ReadNumber read = [this](const QString& symbol, const QString& text) { return number(symbol, text); };
    for (SweepRangeBoxes* boxes : {ui_->VaryRange, ui_->CurveRange}) {
        if (boxes == ui_->CurveRange && !curves)
            break;
        QString problem;
        const std::optional<Sweep::Range> range = boxes->range(read, problem);
        if (!range) {
            tell(problem);
            return std::nullopt;
        }
        sweep.axes.push_back({std::size_t(sweep.symbols.indexOf(boxes->symbol())), range->values()});
    }
    for (const QString& symbol : std::as_const(sweep.symbols)) {
        const auto swept = std::find_if(sweep.axes.cbegin(), sweep.axes.cend(), [&](const Sweep::Axis& axis) {
            return sweep.symbols.at(qsizetype(axis.parameter)) == symbol;
        });
        if (swept != sweep.axes.cend()) {
            sweep.values.push_back(swept->values.front());
        } else if (const std::optional<double> value = number(symbol, input(symbol))) {
            sweep.values.push_back(*value);
        } else {
            tell(QStringLiteral("The value of %1, \"%2\", is not a number.").arg(symbol, input(symbol)));
            return std::nullopt;
        }
    }
    for (const QString& problem : {sweep.pointsProblem(), sweep.curvesProblem()}) {
        if (!problem.isEmpty()) {
            tell(problem);
            return std::nullopt;
        }
    }
    return sweep;
}

std::optional<double> Frmsweep::number(const QString& symbol, const QString& text) const
{
    Q_UNUSED(symbol)
    return CalcEngine::number(text);
}

QString Frmsweep::input(const QString& symbol) const
{
    const auto given = inputs_.constFind(symbol);
    return given != inputs_.constEnd() ? *given : Sweep::parameterOf(formula_, symbol).value;
}

void Frmsweep::suggestRange(SweepRangeBoxes& range, const QString& symbol, bool curves)
{
    const double value = number(symbol, input(symbol)).value_or(0);
    const double from = curves ? value : 0;
    const double to = value == 0 ? 1 : 2 * value;
    range.setRange(fullPrecision(from), fullPrecision(to), SweepRangeBoxes::Spacing::Points,
                   curves ? QStringLiteral("3") : QStringLiteral("51"));
}

void Frmsweep::showOthers()
{
    QStringList others;
    for (const QString& symbol : SweepPlan::symbolsOf(formula_)) {
        if (symbol == ui_->VaryRange->symbol() || (ui_->CurveGroup->isChecked() && symbol == ui_->CurveRange->symbol()))
            continue;
        const QString& unit = Sweep::parameterOf(formula_, symbol).unit;
        others << symbol + QLatin1String(" = ") + input(symbol) + (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
    }
    ui_->OthersLabel->setText(others.isEmpty() ? QStringLiteral("No other values.")
                                               : QStringLiteral("Other values: %1").arg(others.join(QLatin1String(", "))));
}

void Frmsweep::SaveCsvButton_Click()
{
    saveAs(QStringLiteral("CSV files (*.csv)"), QStringLiteral("The table"),
           [this](const QString& path) { return saveCsv(model_->table(), path); });
}

void Frmsweep::SaveXlsxButton_Click()
{
    saveAs(QStringLiteral("Workbooks (*.xlsx)"), QStringLiteral("The table"), [this](const QString& path) {
        QString problem;
        writeXlsx(model_->table(), path, problem);
        return problem;
    });
}

void Frmsweep::SavePngButton_Click()
{
    saveChartAs(QStringLiteral("PNG images (*.png)"));
}

void Frmsweep::SaveSvgButton_Click()
{
    saveChartAs(QStringLiteral("SVG images (*.svg)"));
}

void Frmsweep::saveChartAs(const QString& filter)
{
    saveAs(filter, QStringLiteral("The chart"), [this](const QString& path) {
        QString problem;
        charts_.save(*chart_, path, problem);
        return problem;
    });
}

void Frmsweep::saveAs(const QString& filter, const QString& what, const std::function<QString(const QString&)>& write)
{
    const QString path = dialogs_.saveFileName(this, filter);
    if (path.isEmpty())
        return;
    QString problem = write(path);
    if (problem.isEmpty()) {
        ui_->SummaryLabel->setText(summary_ + QStringLiteral(" Saved to %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (problem.endsWith(QLatin1Char('.')))
        problem.chop(1);
    tell(QStringLiteral("%1 can't be written to %2 (%3). Nothing was saved; a file already there is left as it was.")
             .arg(what, QDir::toNativeSeparators(path), problem));
}

void Frmsweep::tell(const QString& text)
{
    dialogs_.msgBox(this, text, MsgStyle::Information, messageTitle_);
}
