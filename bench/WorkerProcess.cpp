#include "WorkerProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

WorkerProcess::~WorkerProcess()
{
    stop();
}

bool WorkerProcess::start(const QStringList& workerArguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QCoreApplication::applicationFilePath(), QStringList{"--worker"} + workerArguments);
    return m_process.waitForStarted(5000);
}

QString WorkerProcess::waitForLine(const QString& key, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
            if (line.startsWith(key))
                return line.mid(key.size()).trimmed();
        }
        if (m_process.state() == QProcess::NotRunning)
            return {};
        m_process.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    }
    return {};
}

std::map<QString, std::vector<double>> WorkerProcess::figuresUntilExit(int timeoutMs)
{
    m_process.waitForFinished(timeoutMs);
    std::map<QString, std::vector<double>> figures;
    while (m_process.canReadLine()) {
        const QStringList words = QString::fromUtf8(m_process.readLine()).trimmed().split(' ');
        bool isNumber = false;
        const double value = words.value(1).toDouble(&isNumber);
        if (words.size() == 2 && isNumber)
            figures[words[0]].push_back(value);
    }
    return figures;
}

void WorkerProcess::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}
