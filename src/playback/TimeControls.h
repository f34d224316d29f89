#pragma once

class QLabel;
class QSlider;

// The controls on the shared time axis, in whole seconds: where playback is, the loop window,
// and the label that shows the playback time.
struct TimeControls
{
    QSlider* sldPosition = nullptr;
    QSlider* sldBegin = nullptr;
    QSlider* sldEnd = nullptr;
    QLabel* lblPreviewTime = nullptr;
};
