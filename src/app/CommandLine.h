#pragma once

#include <QString>
#include <QStringList>

// The command line as one text: everything after the program's name, the arguments joined by
// single blanks. A movie path is never split, so a path of several words arrives whole.
QString commandLineText(const QStringList& arguments);

// The movie path the command line names: its text as it stands when that names an existing file
// or folder, otherwise its text with every double quote removed.
QString moviePathFromCommandLine(const QString& commandLine);
