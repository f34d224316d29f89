#pragma once

#include <QString>

class SettingsStore;

// The values the whole program shares with the snapshot windows, loaded at start-up.
struct ProgramValues
{
    // Folder that receives snapshots; ends with "/".
    QString SnapshotFolder;
    // Image format code of snapshots: 0 bmp, 1 jpg, 2 png, 3 tif, 4 gif.
    qint16 SnapshotFormat = 1;
    // Full path of the snapshot taken last.
    QString SnapshotFile;

    // The two snapshot settings, or their defaults where they are absent or unusable.
    static ProgramValues load(const SettingsStore& settings);
    static QString defaultSnapshotFolder();
};
