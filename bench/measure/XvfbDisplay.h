#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// A virtual X server of the benchmark's or a test's own, so that players can draw into real
// windows on any machine, also one without a desktop, and disturb nobody's screen.
class XvfbDisplay
{
public:
    XvfbDisplay() = default;
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // Starts the server on a free display number; false if it did not come up.
    bool start();
    // The environment of a program that shows its windows on this display with Qt's X11 plugin.
    QProcessEnvironment environment() const;

private:
    QProcess m_server;
    QString m_display;
};
