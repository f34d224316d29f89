#include "playback/MovieOpening.h"

#include "common/Rounding.h"
#include "playback/TimeControls.h"
#include "player/MoviePlayer.h"

#include <QSlider>

void loadMovie(MoviePlayer& player, const QString& path)
{
    player.setActive(true);
    player.setFileName(path);
}

void fitTimeSlidersToMovie(const TimeControls& controls, double duration)
{
    const int length = roundHalfEven(duration);
    for (QSlider* slider : {controls.sldPosition, controls.sldBegin, controls.sldEnd})
        slider->setRange(0, length);
    controls.sldPosition->setValue(0);
    controls.sldBegin->setValue(0);
    controls.sldEnd->setValue(length);
}
