#include "cli.h"
#include "formulainputs.h"
#include "libraryitems.h"

#include "calc/calcengine.h"
#include "calc/parameterstring.h"
#include "calc/resultformat.h"
#include "store/store.h"
#include "store/textrules.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <limits>

Command evalCommand()
{
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the result as a JSON object, with the values computed with."));
    return {{QStringLiteral("eval"), QStringLiteral("FORMULA [SYMBOL=VALUE …]"),
             QStringLiteral("Computes a formula as Calculate does; parameters not given take their defaults. "
                            "Prints FUNCTION = RESULT UNIT."),
             {json}},
            [json](Cli& cli, const CommandLine& line) {
                line.expectPositional(1, std::numeric_limits<qsizetype>::max());
                Store store(cli.library, Store::Access::ReadOnly);
                const Formula formula = formulaNamed(store, line.positional().constFirst());
                const FormulaInputs inputs(formula, line.positional().mid(1));

                // Through the parameter string, as the desktop computes.
                QList<ParameterString::Pair> pairs;
                for (qsizetype i = 0; i < inputs.symbols.size(); ++i)
                    pairs.append({inputs.symbols.at(i), inputs.values.at(i)});
                CalcEngine engine;
                double result = 0;
                int error = 0;
                engine.Evaluate(formula.expression, ParameterString::build(pairs).value_or(QString()), result, error);
                if (error != CalcEngine::NoError)
                    throw evaluationFailure(formula, engine);

                const QString text = resultText(result, formula.precision.toInt());
                if (!line.isSet(json)) {
                    cli.out << TextRules::oneLine(formula.function) << " = " << text << (formula.unit.isEmpty() ? "" : " ")
                            << TextRules::oneLine(formula.unit) << '\n';
                    return;
                }
                QJsonObject values;
                for (const ParameterString::Pair& pair : std::as_const(pairs))
                    values.insert(pair.symbol, CalcEngine::number(pair.value).value_or(qQNaN()));
                const QJsonObject object{{QStringLiteral("formula"), formula.name},
                                         {QStringLiteral("function"), formula.function},
                                         {QStringLiteral("result"), result},
                                         {QStringLiteral("text"), text},
                                         {QStringLiteral("unit"), formula.unit},
                                         {QStringLiteral("parameters"), values}};
                cli.out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
            }};
}
