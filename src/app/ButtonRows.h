#pragma once

class QWidget;

// The main window's two rows of picture buttons: the small toolbar row at the top and the large
// transport row at the bottom, plus the window-view button that lies outside the visible area.
void buildToolbarRow(QWidget* parent);
void buildTransportRow(QWidget* parent);
