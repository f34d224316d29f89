#include "XvfbDisplay.h"

#include <QDeadlineTimer>

#include <csignal>
#include <sys/prctl.h>

XvfbDisplay::~XvfbDisplay()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished(5000);
        }
    }
}

bool XvfbDisplay::start()
{
    // With -displayfd the server picks a free display number itself and writes it to standard
    // output once it accepts clients. Without -noreset it would reset when its last client leaves,
    // and turn away a program connecting just then. It ends with this process, however that ends.
    m_server.setProgram(QStringLiteral("Xvfb"));
    m_server.setArguments(
        {"-displayfd", "1", "-noreset", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"});
    m_server.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_server.start();
    if (!m_server.waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!m_server.canReadLine() && m_server.state() == QProcess::Running && !deadline.hasExpired())
        m_server.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    if (!m_server.canReadLine())
        return false;
    m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine()).trimmed();
    return m_display.size() > 1;
}

QProcessEnvironment XvfbDisplay::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}
