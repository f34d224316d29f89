#pragma once

#include "playback/TimeControls.h"

class QWidget;

// The three time sliders with their captions under the picture, and the large time label
// right of the toolbar.
TimeControls buildTimeArea(QWidget* parent);
