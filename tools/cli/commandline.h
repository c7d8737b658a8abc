#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// How a command is called, for parsing and for its --help.
struct CommandSyntax
{
    QString name;        // as typed after the program's name
    QString arguments;   // how its positional arguments are written, for the usage line
    QString description; // what it does, for --help
    QList<QCommandLineOption> options;
};

// A command's own arguments (those after its name), parsed. Wrong options are usage errors;
// --help prints the command's help to out, and helpShown() tells the command to stop there.
class CommandLine
{
public:
    CommandLine(const CommandSyntax& syntax, const QStringList& arguments, QTextStream& out);

    bool helpShown() const { return helpShown_; }
    bool isSet(const QCommandLineOption& option) const { return parser_.isSet(option); }
    QString value(const QCommandLineOption& option) const { return parser_.value(option); }
    const QStringList& positional() const { return positional_; }
    // A usage error unless the command got at least minimum and at most maximum positional arguments.
    void expectPositional(qsizetype minimum, qsizetype maximum) const;

private:
    CommandSyntax syntax_;
    QCommandLineParser parser_;
    QStringList positional_;
    bool helpShown_ = false;
};

// The help of the program as a whole: how it is called and what each command does.
QString programHelp(const QList<CommandSyntax>& commands);
