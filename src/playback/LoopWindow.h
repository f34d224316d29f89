#pragma once

#include "playback/TimeControls.h"

#include <QObject>

// Shifts the loop window (the pair sldBegin, sldEnd) by one second, keeping its length. A shift
// past either end of the movie is refused. The three time sliders share one range, so sldEnd's
// bounds guard sldBegin as well. Neither command seeks or touches sldPosition.
class LoopWindow : public QObject
{
    Q_OBJECT

public:
    explicit LoopWindow(const TimeControls& controls, QObject* parent = nullptr);

public slots:
    void LoopWinBack();
    void LoopWinForward();

private:
    TimeControls m_controls;
};
