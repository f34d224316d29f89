#pragma once

#include "app/CommandRoutes.h"
#include "app/MarksColumn.h"
#include "app/ProgramValues.h"
#include "app/SoundPanel.h"
#include "playback/PlaybackState.h"
#include "playback/TimeControls.h"

#include <QMainWindow>

#include <memory>

class Desktop;
class MoviePlayer;
class SettingsStore;
class TransportCommands;

// The main window: builds the controls with their layout, creates the owners of the commands,
// wires every route to its owner, and runs start-up and shut-down.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // `videoWidget` is the player's picture; without one the picture area stays black.
    frmMain(MoviePlayer& player, Desktop& desktop, SettingsStore& settings, QWidget* videoWidget = nullptr);
    ~frmMain() override;

    // Reads the snapshot settings and opens and plays the movie that the command line names.
    void startUp(const QStringList& arguments);

    PlaybackState& playbackState() { return m_state; }
    ProgramValues& programValues() { return m_values; }
    const TimeControls& timeControls() const { return m_time; }
    const SoundPanel& soundPanel() const { return m_sound; }
    const MarksColumn& marksColumn() const { return m_marks; }

protected:
    // Closes the player first, then every other window of the program.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildClientArea(QWidget* videoWidget);
    QHash<Command, CommandRoutes::Action> commandActions();
    void wireRoutes();
    void centreOnScreen();

    MoviePlayer& m_player;
    Desktop& m_desktop;
    SettingsStore& m_settings;
    PlaybackState m_state;
    ProgramValues m_values;

    TimeControls m_time;
    SoundPanel m_sound;
    MarksColumn m_marks;
    QWidget* m_video = nullptr;

    std::unique_ptr<TransportCommands> m_transport;
    CommandRoutes m_routes;
};
