#pragma once

#include "widgets/ButtonPlacement.h"

#include <QIcon>
#include <QList>

#include <span>

class QToolButton;
class QWidget;

// The program's own icon of that name (":/icons/<name>.svg").
QIcon buttonIcon(const char* name);

// A button that shows an icon and no caption; its tool tip is also its accessible name, since a
// screen reader has nothing else to read.
QToolButton* addPictureButton(QWidget* parent, const ButtonPlacement& placement, int iconPixels);

QList<QToolButton*> addPictureButtons(QWidget* parent, std::span<const ButtonPlacement> placements,
                                      int iconPixels);
