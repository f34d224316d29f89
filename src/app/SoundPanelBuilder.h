#pragma once

#include "sound/SoundSliders.h"

class QWidget;

// The sound panel at the right of the main window: per column a heading, a vertical slider, a
// value label and five step buttons; Reset all between the pitch columns; and the two volume
// buttons under the picture.
SoundSliders buildSoundPanel(QWidget* parent);
