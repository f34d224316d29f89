#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class frmMain;
class MoviePlayer;

// Works the main window as a practising musician would over a long evening, only faster: loop
// play at tempo -50, the position slider dragged to a new place every 200 ms and the pitch
// changed every second. It watches the program's memory and its position reports, and after
// the given time closes the window.
class SoakRun : public QObject
{
    Q_OBJECT

public:
    SoakRun(frmMain& window, MoviePlayer& player, double minutes);

    void start();
    // 0 when memory stayed flat and playback never stalled, 1 otherwise.
    int verdict() const { return m_passed ? 0 : 1; }

private:
    void dragPositionSlider();
    void changePitch();
    void takeSample();
    void player_PositionChange();
    void noteGap();
    void finish();

    frmMain& m_window;
    MoviePlayer& m_player;
    const qint64 m_runMs;

    QTimer m_seeks;
    QTimer m_pitchChanges;
    QTimer m_samples;
    QTimer m_watch;
    QElapsedTimer m_clock;

    qint64 m_lastReportMs = -1;
    qint64 m_longestGapMs = 0;
    qint64 m_reports = 0;
    qint64 m_drags = 0;
    qint64 m_pitchSteps = 0;
    quint32 m_seed = 12345;
    double m_rssAfterFirstMinuteMb = -1;
    double m_peakRssAfterFirstMinuteMb = 0;
    bool m_passed = false;
};
