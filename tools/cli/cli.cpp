#include "cli.h"

#include "clierror.h"

#include "calc/units.h"

#include <QTextStream>

int runCli(const QStringList& arguments, const QString& defaultLibrary, QTextStream& out, SaveChart saveChart)
{
    const QList<Command> commands{listCommand(),  findCommand(),  showCommand(),   evalCommand(),
                                  sweepCommand(), checkCommand(), exportCommand(), importCommand()};
    QList<CommandSyntax> syntaxes;
    for (const Command& command : commands)
        syntaxes.append(command.syntax);

    // The program's own options come before the command; everything after it is the command's.
    QString library = defaultLibrary;
    qsizetype next = 1;
    for (; next < arguments.size() && arguments.at(next).startsWith(QLatin1Char('-')); ++next) {
        const QString& option = arguments.at(next);
        if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
            out << programHelp(syntaxes);
            return 0;
        }
        if (option == QLatin1String("--library"))
            library = ++next < arguments.size() ? arguments.at(next) : QString();
        else if (option.startsWith(QLatin1String("--library=")))
            library = option.mid(option.indexOf(QLatin1Char('=')) + 1);
        else
            throw usageError(QStringLiteral("unknown option %1 (see calcora-cli --help)").arg(option));
        if (library.isEmpty())
            throw usageError(QStringLiteral("--library needs a folder"));
    }
    if (next >= arguments.size())
        throw usageError(QStringLiteral("no command given (see calcora-cli --help)"));

    const QString name = arguments.at(next);
    for (const Command& command : commands) {
        if (command.syntax.name != name)
            continue;
        const CommandLine line(command.syntax, arguments.mid(next + 1), out);
        if (!line.helpShown()) {
            Units units;
            Cli cli{library, out, units, saveChart};
            command.run(cli, line);
        }
        return 0;
    }
    throw usageError(QStringLiteral("unknown command %1 (see calcora-cli --help)").arg(name));
}
