#pragma once

#include <QString>

class QMenuBar;

// The menu bar as one line of object names, for comparing structures in tests:
// "mnuFile[mnuOpen sep1 mnuPlay] keyHelp[mnuContents]".
QString menuBarText(const QMenuBar* menuBar);
