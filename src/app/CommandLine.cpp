#include "app/CommandLine.h"

#include "about/ProgramVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>

QString commandLineText(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString moviePathFromCommandLine(const QString& commandLine)
{
    // File names here may hold double quotes, so a text that names a file as it stands is that
    // file; only otherwise are the quotes taken for the ones that wrap a path with blanks.
    if (QFileInfo::exists(commandLine))
        return commandLine;
    return QString(commandLine).remove(QLatin1Char('"'));
}

namespace {
// An option the parser does not know, with its dashes as the user typed them.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.mid(1)) {
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        if (option == QLatin1String("--"))
            break;
        if (option == "-" + name || option == "--" + name)
            return option;
    }
    return "--" + name;
}
} // namespace

CommandLineRequest readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays a movie to practise along with it: loop a passage, change its tempo and pitch."));
    // A mistyped "-xyz" is named whole, not letter by letter.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A movie, or an excerpt file (.rqx), to open and play. A "
                                                "name with blanks may be given unquoted; a name that starts "
                                                "with '-' goes after '--'."),
                                 QStringLiteral("[file]"));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString problem =
            unknown.isEmpty()
                ? parser.errorText()
                : QStringLiteral("unknown option '%1'").arg(typedOption(arguments, unknown.first()));
        return {2,
                QStringLiteral("reelquill: %1\nTry 'reelquill --help' for more information.\n").arg(problem),
                {}};
    }
    if (parser.isSet(help))
        return {0, parser.helpText(), {}};
    if (parser.isSet(version)) {
        const ProgramVersion current = ProgramVersion::current();
        return {0,
                QStringLiteral("reelquill %1.%2.%3\n")
                    .arg(current.major)
                    .arg(current.minor)
                    .arg(current.revision),
                {}};
    }
    return {std::nullopt, {}, QStringList{arguments.value(0)} + parser.positionalArguments()};
}
