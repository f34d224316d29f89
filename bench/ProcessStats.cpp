#include "ProcessStats.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <unistd.h>

namespace {
QByteArray readProcFile(pid_t pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

ProcessSample sampleProcess(pid_t pid)
{
    ProcessSample sample;
    // The command name in field 2 may contain blanks; the fields after its closing parenthesis
    // start with field 3 (state). utime and stime are fields 14 and 15.
    const QByteArray stat = readProcFile(pid, "stat");
    const auto fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 12) {
        const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
        sample.cpuSeconds = (fields[11].toDouble() + fields[12].toDouble()) / ticks;
    }
    for (const QByteArray& line : readProcFile(pid, "status").split('\n')) {
        if (line.startsWith("VmHWM:"))
            sample.peakRssMb = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return sample;
}
