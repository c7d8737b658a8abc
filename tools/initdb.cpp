// calcora-initdb: creates a new formula library for a fresh installation, optionally filled
// with the sample library.

#include "libraryfile.h"
#include "samplelibrary.h"

#include "store/store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

// Exit codes: 0 done, 1 the library could not be created, 2 wrong arguments.
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

int usageError(const QCommandLineParser& parser, const QString& problem)
{
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << problem << "\n\n" << parser.helpText();
    return ExitUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("calcora-initdb"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates a new, empty formula library caldb.mdb in DIR."));
    // Our own help option: the standard one also offers --help-all for Qt's options, which
    // this tool does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser.addOption(help);
    const QCommandLineOption sample(QStringLiteral("sample"),
                                    QStringLiteral("Fill the new library with sample catalogs, formulas and variables."));
    parser.addOption(sample);
    parser.addPositionalArgument(QStringLiteral("DIR"),
                                 QStringLiteral("Directory of the new library; created if it does not exist."));

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    const QStringList directories = parser.positionalArguments();
    if (directories.size() != 1 || directories.constFirst().isEmpty())
        return usageError(parser, QStringLiteral("Give exactly one directory."));

    const QString directory = directories.constFirst();
    try {
        if (parser.isSet(sample))
            createLibraryFile(directory, fillSampleLibrary);
        else
            createLibraryFile(directory);
    } catch (const StoreError& error) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << error.userText() << '\n';
        return ExitFailed;
    }
    QTextStream(stdout) << "Created " << QDir::toNativeSeparators(Store::filePath(directory)) << '\n';
    return 0;
}
