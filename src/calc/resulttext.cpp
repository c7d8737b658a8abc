#include "calc/resulttext.h"

#include "calc/wholefile.h"
#include "store/textrules.h"

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
    const ComputationRecord& listed = computation.computed;
    result += listed.result() + QLatin1Char(' ') + listed.unit;
    QString parameters;
    for (const NamedValue& parameter : computation.parameters) {
        parameters += parameter.name + QStringLiteral(": ") + parameter.symbol + QLatin1Char('=') + parameter.value
            + QLatin1Char(' ') + parameter.unit + QStringLiteral(".  ");
    }
    QString text;
    text.reserve(256 + parameters.size() + result.size());
    appendLine(text, texts.formula, listed.formula);
    appendLine(text, texts.result, result);
    appendLine(text, texts.parameters, parameters);
    appendLine(text, texts.number, listed.number);
    appendLine(text, texts.time, listed.time);
    text += QStringLiteral("\r\n\r\n");
    return text;
}

ExportOutcome ResultText::write(ExportSource& source, const ExportTexts& texts, const QString& path,
                                const ExportProgress& progress)
{
    WholeFile file(path);
    // A write that failed ends the export there, as a cancel would.
    const ExportProgress goOn = [&](int done, int total) { return file.error().isEmpty() && progress(done, total); };
    const bool complete = source.forEach(goOn, [&](const ExportedComputation& computation) {
        file.write(block(computation, texts).toUtf8());
    });
    if (complete && file.commit())
        return {ExportOutcome::Kind::Written, path, {}};
    if (!file.error().isEmpty())
        return {ExportOutcome::Kind::Failed, path, file.error()};
    return {ExportOutcome::Kind::Cancelled, path, {}};
}
