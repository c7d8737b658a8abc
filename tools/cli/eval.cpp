#include "cli.h"
#include "formulainputs.h"
#include "libraryitems.h"

#include "calc/calcengine.h"
#include "calc/parameterstring.h"
#include "calc/resultformat.h"
#include "calc/unitconversion.h"
#include "store/store.h"
#include "store/textrules.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <limits>

Command evalCommand()
{
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the result as a JSON object, with the values computed with and "
                                                 "the units of each."));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("Give the result in UNIT, of the kind of the formula's."),
                                QStringLiteral("UNIT"));
    return {{QStringLiteral("eval"), QStringLiteral("FORMULA [SYMBOL=VALUE …]"),
             QStringLiteral("Computes a formula as Calculate does; parameters not given take their defaults. A value may "
                            "carry a unit of its parameter's kind (L=2500mm, T=\"20 °C\"), converted as the grid does. "
                            "Prints FUNCTION = RESULT UNIT."),
             {json, to}},
            [json, to](Cli& cli, const CommandLine& line) {
                line.expectPositional(1, std::numeric_limits<qsizetype>::max());
                Store store(cli.library, Store::Access::ReadOnly);
                const Formula formula = formulaNamed(store, line.positional().constFirst());
                const FormulaInputs inputs(formula, line.positional().mid(1));
                const UnitConversion::Inputs converted = UnitConversion::inputs(cli.units, inputs.rows());
                if (!converted.refusal.isEmpty())
                    throw failure(converted.refusal);

                // Through the parameter string, as the desktop computes.
                QList<ParameterString::Pair> pairs;
                for (const GridRow& row : converted.rows)
                    pairs.append({row.symbol, row.input});
                CalcEngine engine;
                double result = 0;
                int error = 0;
                engine.Evaluate(formula.expression, ParameterString::build(pairs).value_or(QString()), result, error);
                if (error != CalcEngine::NoError)
                    throw evaluationFailure(formula, engine);

                QString text = resultText(result, formula.precision.toInt());
                QString unit = formula.unit;
                if (line.isSet(to)) {
                    result = resultIn(cli.units, formula, result, line.value(to));
                    text = fullPrecision(result);
                    unit = line.value(to).trimmed();
                }
                if (!line.isSet(json)) {
                    cli.out << TextRules::oneLine(formula.function) << " = " << text << (unit.isEmpty() ? "" : " ")
                            << TextRules::oneLine(unit) << '\n';
                    return;
                }
                QJsonObject values, units;
                for (const GridRow& row : converted.rows) {
                    values.insert(row.symbol, CalcEngine::number(row.input).value_or(qQNaN()));
                    units.insert(row.symbol, row.unit);
                }
                const QJsonObject object{{QStringLiteral("formula"), formula.name},
                                         {QStringLiteral("function"), formula.function},
                                         {QStringLiteral("result"), result},
                                         {QStringLiteral("text"), text},
                                         {QStringLiteral("unit"), unit},
                                         {QStringLiteral("parameters"), values},
                                         {QStringLiteral("units"), units}};
                cli.out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
            }};
}
