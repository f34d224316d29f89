#include "app/modSpecialFolders.h"

#include <QStandardPaths>

QString modSpecialFolders::DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
