#include "calc/resulttext.h"

#include <QSaveFile>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

QString line(const QString& caption, const QString& value)
{
    return caption + QStringLiteral(": ") + value + LineEnd;
}

} // namespace

QString ResultText::block(const ExportedComputation& computation, const ExportTexts& texts)
{
    // A formula no longer in the library has no expression to show between the two.
    const QString expression = computation.expression ? *computation.expression + QLatin1Char('=') : QString();
    QString parameters;
    for (const ExportedParameter& parameter : computation.parameters) {
        parameters += parameter.name + QStringLiteral(": ") + parameter.symbol + QLatin1Char('=') + parameter.value
            + QLatin1Char(' ') + parameter.unit + QStringLiteral(".  ");
    }
    return line(texts.formula, computation.formula)
        + line(texts.result, computation.function + QLatin1Char('=') + expression + computation.result
                                 + QLatin1Char(' ') + computation.unit)
        + line(texts.parameters, parameters) + line(texts.number, computation.number)
        + line(texts.time, computation.time) + LineEnd + LineEnd;
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
