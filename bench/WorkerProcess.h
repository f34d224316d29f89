#pragma once

#include <QProcess>
#include <QStringList>

#include <map>
#include <vector>

// A copy of this benchmark started in worker mode, which plays with our player in a process of
// its own so that its CPU time and memory can be read like mpv's. It reports in lines of text.
class WorkerProcess
{
public:
    WorkerProcess() = default;
    ~WorkerProcess();
    WorkerProcess(const WorkerProcess&) = delete;
    WorkerProcess& operator=(const WorkerProcess&) = delete;

    // The environment the worker starts in; the benchmark's own unless set before start().
    void setEnvironment(const QProcessEnvironment& environment) { m_process.setProcessEnvironment(environment); }
    bool start(const QStringList& workerArguments);
    // The next line that starts with `key`, without the key; empty on time-out or exit.
    QString waitForLine(const QString& key, int timeoutMs);
    // Every "key value" line until the worker exits, the values grouped by key.
    std::map<QString, std::vector<double>> figuresUntilExit(int timeoutMs);
    qint64 pid() const { return m_process.processId(); }
    void stop();

private:
    QProcess m_process;
};
