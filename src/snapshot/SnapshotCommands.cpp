#include "snapshot/SnapshotCommands.h"

#include "player/MoviePlayer.h"
#include "snapshot/SnapshotFileName.h"
#include "snapshot/SnapshotSettings.h"
#include "snapshot/frmOptions.h"
#include "snapshot/frmSnapshot.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace {

// A window closed a moment ago may wait for the event loop to delete it: it counts as gone.
bool isOpen(const QWidget* window)
{
    return window && window->isVisible();
}

void bringToFront(QWidget& window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
}

template <typename Window> void showNew(QPointer<Window>& slot, Window* window)
{
    // One that was closed but not yet deleted goes now, so the program never holds two.
    delete slot;
    slot = window;
    window->show();
}

} // namespace

SnapshotCommands::SnapshotCommands(MoviePlayer& player, SnapshotSettings& values, SettingsStore& settings,
                                   Desktop& desktop, QWidget* windowOwner, const QString& previewPath)
    : m_player(player), m_values(values), m_settings(settings), m_desktop(desktop),
      m_windowOwner(windowOwner), m_previewPath(previewPath)
{}

SnapshotCommands::~SnapshotCommands()
{
    delete m_preview;
    delete m_options;
}

QString SnapshotCommands::defaultPreviewPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/preview.bmp");
}

void SnapshotCommands::Snapshot()
{
    m_values.SnapshotFile = SnapshotFileName::make(m_values.SnapshotFolder, m_values.SnapshotFormat,
                                                   QDateTime::currentDateTime(), QLocale());
    // The snapshot folder under Documents does not exist on a fresh account; without it the
    // first snapshot would be lost. Made only when there is a frame to put in it.
    if (m_player.Duration() > 0) {
        QDir().mkpath(m_values.SnapshotFolder);
        QDir().mkpath(QFileInfo(m_previewPath).absolutePath());
    }
    m_player.SaveSnapshot(m_values.SnapshotFile, m_values.SnapshotFormat);
    if (!m_player.SaveBitmap(m_previewPath))
        return;
    // An open preview keeps its picture and size; its buttons now act on the new snapshot.
    if (isOpen(m_preview))
        bringToFront(*m_preview);
    else
        showNew(m_preview, new frmSnapshot(m_values, m_desktop, m_previewPath, m_windowOwner));
}

void SnapshotCommands::SnapshotFolder()
{
    if (isOpen(m_options))
        bringToFront(*m_options);
    else
        showNew(m_options, new frmOptions(m_values, m_settings, m_desktop, m_windowOwner));
}
