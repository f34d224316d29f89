#include "snapshot/BrowseForFolderModule.h"

#include "common/Desktop.h"

QString BrowseForFolderModule::BrowseForFolder(Desktop& desktop, QWidget* owner, const QString& initialPath)
{
    // The browser keeps the title it has always had, although it now picks the snapshot folder.
    return desktop.browseForFolder(owner, QStringLiteral("Add folder with audio files to playlist"),
                                   initialPath);
}
