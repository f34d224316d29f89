#include "app/ProgramValues.h"

#include "app/modSpecialFolders.h"
#include "common/SettingsStore.h"

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

QString ProgramValues::defaultSnapshotFolder()
{
    return modSpecialFolders::DocumentsFolder() + QStringLiteral("/Reelquill snapshots/");
}

ProgramValues ProgramValues::load(const SettingsStore& settings)
{
    ProgramValues values;
    values.SnapshotFolder = settings.text(QStringLiteral("SnapshotFolder"), defaultSnapshotFolder());
    values.SnapshotFormat =
        formatCode(settings.text(QStringLiteral("SnapshotFormat"), QString::number(defaultFormat)));
    return values;
}
