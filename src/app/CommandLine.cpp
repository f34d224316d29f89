#include "app/CommandLine.h"

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
