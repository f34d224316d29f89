#pragma once

#include "app/SoundPanel.h"

class QWidget;

// The sound panel at the right of the main window: per column a heading, a vertical slider, a
// value label and five step buttons; Reset all between the pitch columns; and the two volume
// buttons under the picture.
SoundPanel buildSoundPanel(QWidget* parent);
