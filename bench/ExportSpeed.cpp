#include "ExportSpeed.h"

#include "export/SoundFileWriter.h"
#include "export/SoundRenderer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <ctime>

namespace {

constexpr double loopSeconds = 60, speed = 0.7, semitones = 3;

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

std::map<std::string, double> measureExportSpeed(const QString& clip)
{
    QTemporaryDir folder;
    SoundRenderer::Plan plan;
    plan.moviePath = clip;
    plan.to = loopSeconds;
    plan.passSpeeds = {speed};
    plan.pitchScale = std::exp2(semitones / 12);

    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = processSeconds();
    SoundFileWriter writer(SoundRenderer::rate);
    SoundRenderer renderer;
    if (!writer.open(folder.filePath("ours.flac"), SoundFileFormat::Flac, {"clip", "tempo 70 %, pitch +3"}) ||
        renderer.render(
            plan, [&](const float* frames, std::size_t count) { return writer.write(frames, count); }) !=
            SoundRenderer::Result::Done ||
        !writer.finish())
        return {};
    const double ours = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const double cpu = processSeconds() - cpuBefore;

    wall.restart();
    const int exitCode = QProcess::execute(
        "ffmpeg",
        {"-v", "error", "-y", "-t", QString::number(loopSeconds), "-i", clip, "-vn", "-af",
         QStringLiteral("rubberband=tempo=%1:pitch=%2").arg(speed).arg(plan.pitchScale, 0, 'f', 4), "-ar",
         QString::number(SoundRenderer::rate), "-c:a", "flac", folder.filePath("ffmpeg.flac")});
    const double reference = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    if (exitCode != 0)
        return {};
    const double seconds = plan.seconds();
    return {{"export_speed_x", seconds / ours},
            {"export_reference_speed_x", seconds / reference},
            {"export_cpu_per_second", cpu / seconds}};
}
