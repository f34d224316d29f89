#pragma once

#include "playback/TimeControls.h"
#include "sound/SoundSliders.h"

#include <QObject>

#include <memory>

class Desktop;
class MoviePlayer;
class SettingsStore;
class SoundViews;
class QWidget;

// Export sound: the movie's loop, or the whole movie, written to a WAV, FLAC or MP3 file as it is
// heard now. The save dialog starts in the folder last exported to and suggests the movie's name
// with the tempo; the options dialog follows. The sound is made on a thread of its own while a
// progress dialog shows how far it is and lets the user cancel; playback goes on meanwhile. A
// cancelled or failed export leaves no file behind and an older file of the name as it was, and
// says so in a message box.
class ExportCommands : public QObject
{
    Q_OBJECT

public:
    ExportCommands(MoviePlayer& player, const TimeControls& time, const SoundSliders& sound,
                   const SoundViews& views, SettingsStore& settings, Desktop& desktop, QWidget* dialogParent,
                   QObject* parent = nullptr);
    // An export still under way is cancelled, and its unfinished file removed.
    ~ExportCommands() override;

    // The save dialog's filter, as "description|pattern" pairs.
    static QString exportFilter();

public slots:
    void ExportSound();

signals:
    // The export ended: written, cancelled or failed (the message box has been answered).
    void exportEnded();

private:
    class Run;
    QString startFolder() const;
    void run_Tick();
    void showError(const QString& text);

    MoviePlayer& m_player;
    TimeControls m_time;
    SoundSliders m_sound;
    const SoundViews& m_views;
    SettingsStore& m_settings;
    Desktop& m_desktop;
    QWidget* m_dialogParent;
    std::unique_ptr<Run> m_run;
};
