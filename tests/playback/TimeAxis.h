#pragma once

#include "playback/TimeControls.h"

#include <QLabel>
#include <QSlider>

// The three time sliders and the time label on bare widgets, as for an open movie of the given
// length: a loop window over the whole movie and playback at its start.
struct TimeAxis
{
    explicit TimeAxis(int length = 100)
    {
        for (QSlider* slider : {&sldPosition, &sldBegin, &sldEnd})
            slider->setRange(0, length);
        sldEnd.setValue(length);
    }

    QSlider sldPosition{Qt::Horizontal};
    QSlider sldBegin{Qt::Horizontal};
    QSlider sldEnd{Qt::Horizontal};
    QLabel lblPreviewTime{QStringLiteral("0:00:00:00")};

    TimeControls controls() { return {&sldPosition, &sldBegin, &sldEnd, &lblPreviewTime}; }
    void setLoopWindow(int begin, int end)
    {
        sldBegin.setValue(begin);
        sldEnd.setValue(end);
    }
    // What the slider does while the user takes hold of the thumb, moves it and lets go.
    void grabPosition() { sldPosition.setSliderDown(true); }
    void releasePosition() { sldPosition.setSliderDown(false); }
};
