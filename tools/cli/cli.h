#pragma once

#include "chartmodule.h"
#include "commandline.h"

#include <functional>

class QTextStream;
class Units;

// What every command is given: the folder of the library, where its output goes, the units of
// the run (their database read only by a command that asks about one), and the charts module's
// drawing (null unless the command line asks for a chart).
struct Cli
{
    QString library;
    QTextStream& out;
    Units& units;
    SaveChart saveChart = nullptr;
};

struct Command
{
    CommandSyntax syntax;
    std::function<void(Cli& cli, const CommandLine& line)> run;
};

Command listCommand();
Command findCommand();
Command showCommand();
Command evalCommand();
Command sweepCommand();
Command checkCommand();
Command exportCommand();
Command importCommand();

// Runs the program's command line (as QCoreApplication::arguments() gives it) and returns the
// exit status. Errors are CliError, or StoreError from the library.
int runCli(const QStringList& arguments, const QString& defaultLibrary, QTextStream& out, SaveChart saveChart);
