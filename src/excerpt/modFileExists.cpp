#include "excerpt/modFileExists.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace modFileExists {

bool DriveReady(const QString& path)
{
    const QStorageInfo volume(path);
    return volume.isValid() && volume.isReady();
}

bool FileExists(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isAbsolute() || !DriveReady(path))
        return false;
    return QFileInfo(path).isFile();
}

} // namespace modFileExists
