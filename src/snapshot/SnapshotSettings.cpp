#include "snapshot/SnapshotSettings.h"

#include "common/SettingsStore.h"

#include <QStandardPaths>

namespace {
constexpr qint16 defaultFormat = 1; // jpg
constexpr qint16 lastFormat = 4;    // gif

qint16 formatCode(const QString& stored)
{
    bool isNumber = false;
    const int code = stored.trimmed().toInt(&isNumber);
    // A stored value that is not a known format code would name no image type.
    if (!isNumber || code < 0 || code > lastFormat)
        return defaultFormat;
    return static_cast<qint16>(code);
}
} // namespace

QString SnapshotSettings::defaultSnapshotFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/Reelquill snapshots/");
}

SnapshotSettings SnapshotSettings::load(const SettingsStore& settings)
{
    SnapshotSettings values;
    values.SnapshotFolder = settings.text(QStringLiteral("SnapshotFolder"), defaultSnapshotFolder());
    values.SnapshotFormat =
        formatCode(settings.text(QStringLiteral("SnapshotFormat"), QString::number(defaultFormat)));
    return values;
}
