#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// A label named after its control, at a fixed place.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry);

// Moves a window of fixed size to the middle of the screen it is on.
void centreOnScreen(QWidget* window);
