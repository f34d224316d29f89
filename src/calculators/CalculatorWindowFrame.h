#pragma once

#include <QString>

class QDialog;

// What the two calculator windows share: a titled, fixed-size dialog in twips, with the main
// window's 8 pt font and only a close button. A calculator left open never keeps the program
// running once the main window has closed.
void frameCalculatorWindow(QDialog& window, const QString& name, const QString& title, int widthTwips,
                           int heightTwips);
