#include "cli.h"
#include "clierror.h"
#include "formulainputs.h"
#include "libraryitems.h"
#include "texttable.h"

#include "calc/calcengine.h"
#include "calc/resultformat.h"
#include "calc/sweepplan.h"
#include "calc/unitconversion.h"
#include "calc/units.h"
#include "store/store.h"

#include <QTextStream>
#include <cmath>
#include <limits>

namespace {

// A range in its parameter's unit as plain numbers: "1m:5m:0.5m" or "1:5:0.5 m" gives
// "1000:5000:500" for a parameter in mm. A unit after the step alone is the whole range's; the
// step is a difference, so a temperature's origin does not count in it.
QString plainRange(Units& units, const QString& symbol, const QString& text, const QString& unit)
{
    QStringList parts = text.split(QLatin1Char(':'));
    std::optional<UnitConversion::Quantity> given[3];
    for (qsizetype i = 0; i < parts.size() && i < 3; ++i)
        given[i] = UnitConversion::quantity(parts.at(i));
    if (parts.size() != 3 || !given[0] || !given[1] || !given[2])
        return text; // Range::parse says what is wrong
    const bool unitAfterStep = given[0]->unit.isEmpty() && given[1]->unit.isEmpty();
    for (int i = 0; i < 3; ++i) {
        const QString partUnit = given[i]->unit.isEmpty() && unitAfterStep ? given[2]->unit : given[i]->unit;
        if (partUnit.isEmpty())
            continue;
        parts[i] = convertedValue(units, symbol, given[i]->number + QLatin1Char(' ') + partUnit, unit);
        const std::optional<Units::Unit> from = units.find(partUnit), to = units.find(unit);
        if (i == 2 && from && to && from->sameKind(*to))
            parts[i] = fullPrecision(Units::convertDifference(given[i]->value, *from, *to));
    }
    return parts.join(QLatin1Char(':'));
}

// The swept parameters (those given as from:to:step, one or two), and every value as a number.
SweepPlan plan(Units& units, const FormulaInputs& inputs)
{
    SweepPlan plan;
    plan.symbols = inputs.symbols;
    for (qsizetype i = 0; i < inputs.symbols.size(); ++i) {
        const QString& symbol = inputs.symbols.at(i);
        const QString& text = inputs.values.at(i);
        QString problem;
        if (inputs.given.contains(symbol) && text.contains(QLatin1Char(':'))) {
            const std::optional<Sweep::Range> range
                = Sweep::Range::parse(plainRange(units, symbol, text, inputs.units.at(i)), problem);
            if (!range)
                throw failure(QStringLiteral("The range of %1, \"%2\", %3.").arg(symbol, text, problem));
            plan.axes.push_back({std::size_t(i), range->values()});
            plan.values.push_back(range->from);
        } else if (const std::optional<double> value
                   = CalcEngine::number(convertedValue(units, symbol, text, inputs.units.at(i)))) {
            plan.values.push_back(*value);
        } else {
            throw failure(QStringLiteral("The value of %1, \"%2\", is not a number.").arg(symbol, text));
        }
    }
    if (plan.axes.empty() || plan.axes.size() > 2)
        throw usageError(QStringLiteral("sweep takes one or two ranges SYMBOL=FROM:TO:STEP"));
    if (const QString problem = plan.pointsProblem(); !problem.isEmpty())
        throw failure(problem);
    // Rows in the order of the arguments: the first range given varies fastest.
    if (plan.axes.size() == 2 && inputs.given.indexOf(plan.sweptSymbol(0)) > inputs.given.indexOf(plan.sweptSymbol(1)))
        std::swap(plan.axes[0], plan.axes[1]);
    return plan;
}

void printTable(const SweepTable& table, QTextStream& out)
{
    TextTable text(QList<TextTable::Align>(table.header.size(), TextTable::Align::Right));
    text.addRow(table.header);
    for (std::size_t row = 0; row < table.rowCount(); ++row)
        text.addRow(table.rowTexts(row));
    text.print(out);
}

// The results read in unit, as --to asks: the formula's places are for its own unit, so in
// another every digit is shown.
void readResultsIn(Units& units, const Formula& formula, SweepTable& table, const QString& unit)
{
    for (double& result : table.columns.back()) {
        if (!std::isnan(result))
            result = resultIn(units, formula, result, unit);
    }
    table.header.last() = Sweep::withUnit(formula.function, unit);
    table.precision = 0;
}

} // namespace

Command sweepCommand()
{
    const QCommandLineOption csv(
        QStringLiteral("csv"), QStringLiteral("Write the table to FILE as comma-separated values; - for standard output."),
        QStringLiteral("FILE"));
    const QCommandLineOption xlsx(QStringLiteral("xlsx"), QStringLiteral("Write the table to FILE as a workbook."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption chart(QStringLiteral("plot"),
                                   QStringLiteral("Draw the result against the first range into FILE.svg or FILE.png, "
                                                  "a curve for each value of the second range."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("Give the results in UNIT, of the kind of the formula's."),
                                QStringLiteral("UNIT"));
    return {{QStringLiteral("sweep"), QStringLiteral("FORMULA SYMBOL=FROM:TO:STEP [SYMBOL=FROM:TO:STEP] [SYMBOL=VALUE …]"),
             QStringLiteral("Computes a formula over one or two ranges of its parameters and prints the table, "
                            "unless it goes to files. Points where the formula is not defined are marked "
                            "\"undefined\". Values and ranges may carry units of their parameters' kinds: "
                            "L=1m:5m:0.5m, or L=1:5:0.5m for all three."),
             {csv, xlsx, chart, to}},
            [csv, xlsx, chart, to](Cli& cli, const CommandLine& line) {
                line.expectPositional(2, std::numeric_limits<qsizetype>::max());
                if (line.isSet(chart) && !SweepChart::canWrite(line.value(chart)))
                    throw usageError(QStringLiteral("--plot writes a .svg or .png file"));
                Store store(cli.library, Store::Access::ReadOnly);
                const Formula formula = formulaNamed(store, line.positional().constFirst());
                const SweepPlan sweep = plan(cli.units, FormulaInputs(formula, line.positional().mid(1)));
                // A chart of more curves than it can tell apart is refused before anything is computed.
                if (const QString problem = sweep.curvesProblem(); line.isSet(chart) && !problem.isEmpty())
                    throw failure(problem);

                CalcEngine engine;
                std::optional<SweepTable> results = Sweep::compute(formula, sweep, engine);
                if (!results)
                    throw evaluationFailure(formula, engine);
                if (line.isSet(to))
                    readResultsIn(cli.units, formula, *results, line.value(to).trimmed());

                QString problem;
                if (line.isSet(csv) && line.value(csv) == QLatin1String("-"))
                    writeCsv(*results, cli.out);
                else if (line.isSet(csv) && !(problem = saveCsv(*results, line.value(csv))).isEmpty())
                    throw unwritable(line.value(csv), problem);
                if (line.isSet(xlsx) && !writeXlsx(*results, line.value(xlsx), problem))
                    throw unwritable(line.value(xlsx), problem);
                if (line.isSet(chart)) {
                    const QString& path = line.value(chart);
                    if (!cli.saveChart || !cli.saveChart(Sweep::chart(formula, sweep, *results), path, problem))
                        throw unwritable(path, problem);
                }
                if (!line.isSet(csv) && !line.isSet(xlsx) && !line.isSet(chart))
                    printTable(*results, cli.out);
            }};
}
