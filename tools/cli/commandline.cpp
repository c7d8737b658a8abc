#include "commandline.h"

#include "clierror.h"

#include <QTextStream>

namespace {

const QString Program = QStringLiteral("calcora-cli");
const QString GlobalSyntax = QStringLiteral(" [--library DIR] ");

} // namespace

CommandLine::CommandLine(const CommandSyntax& syntax, const QStringList& arguments, QTextStream& out)
    : syntax_(syntax)
{
    // Our own help option: the standard one would also offer Qt's --help-all.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser_.addOption(help);
    parser_.addOptions(syntax.options);
    parser_.setApplicationDescription(syntax.description);
    if (!parser_.parse(QStringList{Program} + arguments))
        throw usageError(QStringLiteral("%1: %2 (see %3 %1 --help)").arg(syntax.name, parser_.errorText(), Program));
    if (parser_.isSet(help)) {
        // The parser's own usage line names neither the library option nor the command.
        const QString text = parser_.helpText();
        out << "Usage: " << Program << GlobalSyntax << syntax.name << " [options] " << syntax.arguments << "\n\n"
            << text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        helpShown_ = true;
    }
    positional_ = parser_.positionalArguments();
}

void CommandLine::expectPositional(qsizetype minimum, qsizetype maximum) const
{
    if (positional_.size() < minimum || positional_.size() > maximum) {
        throw usageError(QStringLiteral("%1 takes %2 (see %3 %1 --help)").arg(syntax_.name, syntax_.arguments, Program));
    }
}

QString programHelp(const QList<CommandSyntax>& commands)
{
    QString help;
    QTextStream text(&help);
    text << "Usage: " << Program << GlobalSyntax << "COMMAND [options] ARGUMENTS\n\n"
         << "Works with the formula library caldb.mdb: the one beside the program, or the one in DIR.\n\n"
         << "Commands:\n";
    for (const CommandSyntax& command : commands)
        text << "  " << command.name << ' ' << command.arguments << "\n      " << command.description << '\n';
    text << "\n" << Program << " COMMAND --help tells more about a command.\n";
    return help;
}
