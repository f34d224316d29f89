#pragma once

#include <QString>

class Desktop;
class QWidget;

namespace BrowseForFolderModule {

// The desktop's folder browser owned by `owner`, starting at `initialPath`: the chosen folder, or
// an empty text when the user cancels.
QString BrowseForFolder(Desktop& desktop, QWidget* owner, const QString& initialPath);

} // namespace BrowseForFolderModule
