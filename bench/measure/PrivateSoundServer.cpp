#include "PrivateSoundServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <cstring>
#include <sys/prctl.h>

PrivateSoundServer::~PrivateSoundServer()
{
    stop();
}

bool PrivateSoundServer::start()
{
    if (!m_runtime.isValid())
        return false;
    const QString socket = m_runtime.filePath("native");
    // Never the user's own server: its runtime folder, cookie and configuration stay untouched.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    qputenv("PULSE_RUNTIME_PATH", m_runtime.path().toLocal8Bit());
    qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
    qputenv("PULSE_SINK", sinkName);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_server.start(
        "pulseaudio",
        {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--log-level=error", "-L",
         "module-native-protocol-unix auth-anonymous=1 socket=" + socket, "-L",
         QStringLiteral("module-null-sink sink_name=%1 rate=%2 channels=1").arg(sinkName).arg(sampleRate)});
    if (!m_server.waitForStarted(5000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        if (answers())
            return true;
        if (m_server.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(100);
    }
    return false;
}

bool PrivateSoundServer::answers()
{
    QProcess info;
    info.start("pactl", {"info"});
    return info.waitForFinished(3000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

void PrivateSoundServer::startRecording()
{
    // Straight into a file: the benchmark waits on its players without reading pipes meanwhile,
    // and a full pipe would hold the recorder back.
    m_recorder.setStandardOutputFile(m_runtime.filePath("recording.raw"));
    m_recorder.start("parec",
                     {"-d", QStringLiteral("%1.monitor").arg(sinkName), "--raw", "--format=float32le",
                      "--channels=1", QStringLiteral("--rate=%1").arg(sampleRate), "--latency-msec=20"});
    m_recorder.waitForStarted(5000);
}

std::vector<float> PrivateSoundServer::stopRecording()
{
    m_recorder.terminate();
    m_recorder.waitForFinished(5000);
    QFile file(m_runtime.filePath("recording.raw"));
    const QByteArray raw = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    std::vector<float> samples(static_cast<size_t>(raw.size()) / sizeof(float));
    std::memcpy(samples.data(), raw.constData(), samples.size() * sizeof(float));
    return samples;
}

void PrivateSoundServer::stop()
{
    for (QProcess* process : {&m_recorder, &m_server}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    for (const char* name : {"XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "PULSE_SERVER", "PULSE_SINK"})
        qunsetenv(name);
}
