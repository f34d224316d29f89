#include "sound/SliderStep.h"

#include <QSlider>

bool stepSliderWithinRange(QSlider& slider, int step)
{
    const int target = slider.value() + step;
    const bool passesBound = step > 0 ? target > slider.maximum() : target < slider.minimum();
    if (passesBound)
        return false;
    slider.setValue(target);
    return true;
}
