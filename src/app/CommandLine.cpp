#include "app/CommandLine.h"

QString commandLineText(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString moviePathFromCommandLine(const QString& commandLine)
{
    return QString(commandLine).remove(QLatin1Char('"'));
}
