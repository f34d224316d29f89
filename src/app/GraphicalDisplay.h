#pragma once

#include <QString>

// Why the window cannot show here, or an empty text when the window system may try: the desktop
// platforms (X11 and Wayland, Qt's choice unless QT_QPA_PLATFORM names another) have nothing to
// connect to without DISPLAY or WAYLAND_DISPLAY.
QString missingGraphicalDisplay();

// While it lives, a window system that fails to start ends the program with exit code 1 and one
// line of its reason on standard error, instead of Qt's abort (and its core dump) after a page
// about platform plugins. What Qt's platform says while it starts is held back and, once it has
// started, passed on as usual.
class PlatformStartGuard
{
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};
