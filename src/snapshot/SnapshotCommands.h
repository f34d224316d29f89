#pragma once

#include <QPointer>
#include <QString>

class Desktop;
class MoviePlayer;
class QWidget;
class SettingsStore;
class frmOptions;
class frmSnapshot;
struct SnapshotSettings;

// The two snapshot commands: Take snapshot writes the frame on show under a dated name in the
// snapshot folder and opens the preview; Snapshot options opens the options window. Each window
// exists at most once; a command for an open one brings it to the front.
class SnapshotCommands
{
public:
    // The windows are made as windows of `windowOwner`. The preview picture goes to
    // `previewPath`, rewritten by every snapshot.
    SnapshotCommands(MoviePlayer& player, SnapshotSettings& values, SettingsStore& settings, Desktop& desktop,
                     QWidget* windowOwner, const QString& previewPath = defaultPreviewPath());
    ~SnapshotCommands();
    SnapshotCommands(const SnapshotCommands&) = delete;
    SnapshotCommands& operator=(const SnapshotCommands&) = delete;

    // "preview.bmp" in the user's cache folder: the program's own folder is not writable once
    // installed.
    static QString defaultPreviewPath();

    void Snapshot();
    void SnapshotFolder();

private:
    MoviePlayer& m_player;
    SnapshotSettings& m_values;
    SettingsStore& m_settings;
    Desktop& m_desktop;
    QWidget* m_windowOwner;
    QString m_previewPath;
    QPointer<frmSnapshot> m_preview;
    QPointer<frmOptions> m_options;
};
