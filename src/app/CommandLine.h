#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line as one text: everything after the program's name, the arguments joined by
// single blanks. A movie path is never split, so a path of several words arrives whole.
QString commandLineText(const QStringList& arguments);

// The movie path the command line names: its text as it stands when that names an existing file
// or folder, otherwise its text with every double quote removed.
QString moviePathFromCommandLine(const QString& commandLine);

// What the command line asks for, read before any window exists.
struct CommandLineRequest
{
    // Set when the program answers on the terminal and ends: 0 after the help or the version,
    // 2 after a mistake.
    std::optional<int> exitCode;
    // The answer: for standard output after exit code 0, for standard error otherwise.
    QString answer;
    // Otherwise the program's name and the words that name the movie or excerpt file.
    QStringList startArguments;
};

// Reads the arguments (the program's name first) as Linux programs do: -h/--help, -v/--version,
// "--" ends the options, and the other words name the file. The usage names the program as the
// running application object was started, so one must exist.
CommandLineRequest readCommandLine(const QStringList& arguments);
