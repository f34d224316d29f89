#pragma once

#include "marks/MarksColumn.h"

class QWidget;

MarksColumn buildMarksColumn(QWidget* parent);
