#pragma once

#include <QString>

class SettingsStore;

// Where snapshots go and in which format, loaded at start-up and changed in the options window;
// also the snapshot taken last, which the preview window acts on.
struct SnapshotSettings
{
    // Folder that receives snapshots; ends with "/".
    QString SnapshotFolder;
    // Image format code of snapshots: 0 bmp, 1 jpg, 2 png, 3 tif, 4 gif.
    qint16 SnapshotFormat = 1;
    // Full path of the snapshot taken last.
    QString SnapshotFile;

    // The two snapshot settings, or their defaults where they are absent or unusable.
    static SnapshotSettings load(const SettingsStore& settings);
    static QString defaultSnapshotFolder();
};
