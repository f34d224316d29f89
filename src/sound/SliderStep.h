#pragma once

class QSlider;

// Moves a slider by a step when the result stays within the slider's own range, read now rather
// than taken from constants. A refused step leaves the slider where it is (it does not go to the
// bound) and returns false. The slider's change notification does everything else.
bool stepSliderWithinRange(QSlider& slider, int step);
