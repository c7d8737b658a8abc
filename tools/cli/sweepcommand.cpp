#include "cli.h"
#include "clierror.h"
#include "formulainputs.h"
#include "libraryitems.h"
#include "sweeptable.h"

#include "calc/calcengine.h"
#include "calc/sweep.h"
#include "calc/sweepchart.h"
#include "calc/wholefile.h"
#include "store/store.h"

#include <QTextStream>
#include <algorithm>
#include <limits>

namespace {

QString withUnit(const QString& title, const QString& unit)
{
    return unit.isEmpty() ? title : title + QLatin1String(" [") + unit + QLatin1Char(']');
}

const NamedValue& parameterOf(const Formula& formula, const QString& symbol)
{
    return *std::find_if(formula.parameters.cbegin(), formula.parameters.cend(),
                         [&symbol](const NamedValue& parameter) { return parameter.symbol == symbol; });
}

// The swept parameters (those given as from:to:step, one or two), and every value as a number.
struct Points
{
    std::vector<double> values; // one per symbol of the inputs, the swept ones at their first value
    std::vector<Sweep::Axis> axes;
    QStringList sweptSymbols;
};

Points points(const FormulaInputs& inputs)
{
    Points points;
    std::size_t count = 1;
    for (qsizetype i = 0; i < inputs.symbols.size(); ++i) {
        const QString& symbol = inputs.symbols.at(i);
        const QString& text = inputs.values.at(i);
        QString problem;
        if (inputs.given.contains(symbol) && text.contains(QLatin1Char(':'))) {
            const std::optional<Sweep::Range> range = Sweep::Range::parse(text, problem);
            if (!range)
                throw failure(QStringLiteral("The range of %1, \"%2\", %3.").arg(symbol, text, problem));
            points.sweptSymbols.append(symbol);
            points.axes.push_back({std::size_t(i), range->values()});
            count *= points.axes.back().values.size();
            points.values.push_back(range->from);
        } else if (const std::optional<double> value = CalcEngine::number(text)) {
            points.values.push_back(*value);
        } else {
            throw failure(QStringLiteral("The value of %1, \"%2\", is not a number.").arg(symbol, text));
        }
    }
    if (points.axes.empty() || points.axes.size() > 2)
        throw usageError(QStringLiteral("sweep takes one or two ranges SYMBOL=FROM:TO:STEP"));
    if (count > Sweep::MaxPoints)
        throw failure(QStringLiteral("The sweep has %1 points; it may have at most %2.").arg(count).arg(Sweep::MaxPoints));
    // Rows in the order of the arguments: the first range given varies fastest.
    const QStringList& swept = points.sweptSymbols;
    if (swept.size() == 2 && inputs.given.indexOf(swept.at(0)) > inputs.given.indexOf(swept.at(1))) {
        std::swap(points.axes[0], points.axes[1]);
        points.sweptSymbols.swapItemsAt(0, 1);
    }
    return points;
}

SweepTable table(const Formula& formula, const Points& points, const std::vector<double>& results)
{
    SweepTable table;
    table.precision = formula.precision.toInt();
    const std::size_t inner = points.axes.front().values.size();
    for (std::size_t a = 0; a < points.axes.size(); ++a) {
        const QString& symbol = points.sweptSymbols.at(qsizetype(a));
        table.header.append(withUnit(symbol, parameterOf(formula, symbol).unit));
        std::vector<double> column(results.size());
        for (std::size_t row = 0; row < results.size(); ++row)
            column[row] = points.axes[a].values[a == 0 ? row % inner : row / inner];
        table.columns.push_back(std::move(column));
    }
    table.header.append(withUnit(formula.function, formula.unit));
    table.columns.push_back(results);
    return table;
}

// The result against the first swept parameter, a curve for each value of the second.
void plot(const Cli& cli, const Formula& formula, const Points& points, const SweepTable& table, const QString& path)
{
    const NamedValue& x = parameterOf(formula, points.sweptSymbols.constFirst());
    SweepChart chart{formula.name, withUnit(x.name + QLatin1Char(' ') + x.symbol, x.unit),
                     withUnit(formula.function, formula.unit), {}};
    const std::size_t inner = points.axes.front().values.size();
    for (std::size_t first = 0; first < table.rowCount(); first += inner) {
        SweepChart::Curve curve;
        if (points.axes.size() == 2) {
            curve.label = withUnit(points.sweptSymbols.at(1) + QLatin1String(" = ") + table.rowTexts(first).at(1),
                                   parameterOf(formula, points.sweptSymbols.at(1)).unit);
        }
        for (std::size_t row = first; row < first + inner; ++row)
            curve.points.append(QPointF(table.columns.front()[row], table.columns.back()[row]));
        chart.curves.append(curve);
    }
    QString problem;
    if (!cli.saveChart || !cli.saveChart(chart, path, problem))
        throw unwritable(path, problem);
}

// A chart of more curves than it can tell apart is refused before anything is computed.
void checkCurves(const Points& points)
{
    if (points.axes.size() < 2 || points.axes[1].values.size() <= SweepChart::MaxCurves)
        return;
    throw failure(QStringLiteral("The chart would have %1 curves, one for each value of %2; it can show at most %3. "
                                 "Give %2 a larger step or a shorter range.")
                      .arg(points.axes[1].values.size())
                      .arg(points.sweptSymbols.at(1))
                      .arg(SweepChart::MaxCurves));
}

void writeCsvFile(const SweepTable& table, const QString& path)
{
    QString text;
    QTextStream stream(&text);
    writeCsv(table, stream);
    stream.flush();
    if (const QString problem = WholeFile::save(path, text.toUtf8()); !problem.isEmpty())
        throw unwritable(path, problem);
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
    return {{QStringLiteral("sweep"), QStringLiteral("FORMULA SYMBOL=FROM:TO:STEP [SYMBOL=FROM:TO:STEP] [SYMBOL=VALUE …]"),
             QStringLiteral("Computes a formula over one or two ranges of its parameters and prints the table, "
                            "unless it goes to files. Points where the formula is not defined are marked "
                            "\"undefined\"."),
             {csv, xlsx, chart}},
            [csv, xlsx, chart](Cli& cli, const CommandLine& line) {
                line.expectPositional(2, std::numeric_limits<qsizetype>::max());
                if (line.isSet(chart) && !SweepChart::canWrite(line.value(chart)))
                    throw usageError(QStringLiteral("--plot writes a .svg or .png file"));
                Store store(cli.library, Store::Access::ReadOnly);
                const Formula formula = formulaNamed(store, line.positional().constFirst());
                const FormulaInputs inputs(formula, line.positional().mid(1));
                const Points sweep = points(inputs);
                if (line.isSet(chart))
                    checkCurves(sweep);

                CalcEngine engine;
                if (engine.compile(formula.expression, inputs.symbols) != CalcEngine::NoError)
                    throw evaluationFailure(formula, engine);
                const std::optional<Sweep::Axis> outer = sweep.axes.size() == 2 ? std::optional(sweep.axes[1]) : std::nullopt;
                const SweepTable results = table(formula, sweep, Sweep::run(engine, sweep.values, sweep.axes[0], outer));

                if (line.isSet(csv) && line.value(csv) == QLatin1String("-"))
                    writeCsv(results, cli.out);
                else if (line.isSet(csv))
                    writeCsvFile(results, line.value(csv));
                QString problem;
                if (line.isSet(xlsx) && !writeXlsx(results, line.value(xlsx), problem))
                    throw unwritable(line.value(xlsx), problem);
                if (line.isSet(chart))
                    plot(cli, formula, sweep, results, line.value(chart));
                if (!line.isSet(csv) && !line.isSet(xlsx) && !line.isSet(chart))
                    printTable(results, cli.out);
            }};
}
