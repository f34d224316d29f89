#pragma once

#include "playback/TimeControls.h"

#include <QLabel>
#include <QSlider>

// The three time sliders and the time label on bare widgets, as for an open movie of the given
// length with the loop window set.
struct TimeAxis
{
    TimeAxis(int begin, int end, int length = 100)
    {
        for (QSlider* slider : {&sldPosition, &sldBegin, &sldEnd})
            slider->setRange(0, length);
        sldBegin.setValue(begin);
        sldEnd.setValue(end);
    }

    QSlider sldPosition{Qt::Horizontal};
    QSlider sldBegin{Qt::Horizontal};
    QSlider sldEnd{Qt::Horizontal};
    QLabel lblPreviewTime{QStringLiteral("0:00:00:00")};

    TimeControls controls() { return {&sldPosition, &sldBegin, &sldEnd, &lblPreviewTime}; }
    // What the slider does when the user takes hold of the thumb, moves it, and lets go later.
    void grabPositionAndMoveTo(int value)
    {
        sldPosition.setSliderDown(true);
        sldPosition.setValue(value);
    }
    void releasePosition() { sldPosition.setSliderDown(false); }
};
