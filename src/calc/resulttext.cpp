#include "calc/resulttext.h"

#include "store/textrules.h"

#include <QSaveFile>

namespace {

void appendLine(QString& text, const QString& caption, const QString& value)
{
    text += caption;
    text += QStringLiteral(": ");
    // A line break in a name or value of a library made by hand would split the line.
    text += TextRules::oneLine(value);
    text += QStringLiteral("\r\n");
}

} // namespace

QString ResultText::block(const ExportedComputation& computation, const ExportTexts& texts)
{
    QString result = computation.function + QLatin1Char('=');
    // A formula no longer in the library has no expression to show between the two.
    if (computation.expression)
        result += *computation.expression + QLatin1Char('=');
    result += computation.result + QLatin1Char(' ') + computation.unit;
    QString parameters;
    for (const ExportedParameter& parameter : computation.parameters) {
        parameters += parameter.name + QStringLiteral(": ") + parameter.symbol + QLatin1Char('=') + parameter.value
            + QLatin1Char(' ') + parameter.unit + QStringLiteral(".  ");
    }
    QString text;
    text.reserve(256 + parameters.size() + result.size());
    appendLine(text, texts.formula, computation.formula);
    appendLine(text, texts.result, result);
    appendLine(text, texts.parameters, parameters);
    appendLine(text, texts.number, computation.number);
    appendLine(text, texts.time, computation.time);
    text += QStringLiteral("\r\n\r\n");
    return text;
}

ExportOutcome ResultText::write(ExportSource& source, const ExportTexts& texts, const QString& path,
                                const ExportProgress& progress)
{
    // QSaveFile writes beside the file and renames over it when committed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {ExportOutcome::Kind::Failed, path, file.errorString()};
    const bool complete = source.forEach(progress, [&](const ExportedComputation& computation) {
        file.write(block(computation, texts).toUtf8());
    });
    if (!complete) {
        file.cancelWriting();
        return {ExportOutcome::Kind::Cancelled, path, {}};
    }
    if (!file.commit())
        return {ExportOutcome::Kind::Failed, path, file.errorString()};
    return {ExportOutcome::Kind::Written, path, {}};
}
