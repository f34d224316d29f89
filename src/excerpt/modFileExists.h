#pragma once

#include <QString>

// Whether a movie named in a file is there to be opened.
namespace modFileExists {

// True when the volume that holds the path is mounted and ready to be read.
bool DriveReady(const QString& path);

// True when the path is absolute, its volume is ready and an ordinary file (not a folder or a
// device) is at it; a link counts as the file it leads to. A relative path never exists: where it
// leads would depend on the folder the program was started from.
bool FileExists(const QString& path);

} // namespace modFileExists
