#pragma once

#include "app/CommandRoutes.h"
#include "marks/MarksColumn.h"
#include "playback/PlaybackState.h"
#include "playback/TimeControls.h"
#include "playback/TransportCommands.h"
#include "snapshot/SnapshotSettings.h"
#include "sound/SoundSliders.h"

#include <QMainWindow>

#include <memory>

class Desktop;
class CalculatorWindows;
class ExcerptCommands;
class ExportCommands;
class FullScreenCommands;
class HelpMenuCommands;
class LoopWindow;
class MarksList;
class MoviePlayer;
class SettingsStore;
class SnapshotCommands;
class SoundControls;
class SoundViews;
class SpeedTrainerWindow;

// The main window: builds the controls with their layout, creates the owners of the commands and
// of the reactions to the player, wires every route to its owner, and runs start-up and shut-down.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // `videoWidget` is the player's picture; without one the picture area stays black.
    frmMain(MoviePlayer& player, Desktop& desktop, SettingsStore& settings, QWidget* videoWidget = nullptr);
    ~frmMain() override;

    // Reads the snapshot settings and opens and plays the movie that the command line names, or
    // loads the excerpt file it names.
    void startUp(const QStringList& arguments);

    PlaybackState& playbackState() { return m_state; }
    SnapshotSettings& snapshotSettings() { return m_snapshotSettings; }
    const TimeControls& timeControls() const { return m_time; }
    const SoundSliders& soundSliders() const { return m_sound; }
    const MarksColumn& marksColumn() const { return m_marks; }

protected:
    // Closes the player first, then every other window of the program.
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on the window opens as Open opens a movie, or loads as Load excerpt does.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* buildClientArea(QWidget* videoWidget);
    void createOwners();
    void wireRoutes();
    // Lets media keys and the desktop's player applets drive the window's commands.
    void publishMediaPlayer();
    void openFile(const QString& path, TransportCommands::AfterFailure afterFailure);

    MoviePlayer& m_player;
    Desktop& m_desktop;
    SettingsStore& m_settings;
    PlaybackState m_state;
    SnapshotSettings m_snapshotSettings;

    TimeControls m_time;
    SoundSliders m_sound;
    MarksColumn m_marks;
    QWidget* m_video = nullptr;

    // The owners of the commands; the QObject ones are children of the window.
    TransportCommands* m_transport = nullptr;
    SoundControls* m_soundControls = nullptr;
    SoundViews* m_soundViews = nullptr;
    LoopWindow* m_loopWindow = nullptr;
    FullScreenCommands* m_fullScreen = nullptr;
    MarksList* m_marksList = nullptr;
    ExcerptCommands* m_excerpts = nullptr;
    ExportCommands* m_exports = nullptr;
    std::unique_ptr<SnapshotCommands> m_snapshots;
    CalculatorWindows* m_calculators = nullptr;
    SpeedTrainerWindow* m_trainer = nullptr;
    std::unique_ptr<HelpMenuCommands> m_help;
    CommandRoutes m_routes;
};
