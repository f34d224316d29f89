#pragma once

#include <QString>

// Folders of the current user that the desktop names.
namespace modSpecialFolders {
// The user's documents folder without a trailing separator; empty when the desktop names none.
QString DocumentsFolder();
} // namespace modSpecialFolders
