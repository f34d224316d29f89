#pragma once

#include "app/MarksColumn.h"

class QWidget;

MarksColumn buildMarksColumn(QWidget* parent);
