#include "export/SoundExport.h"

#include "common/TimeText.h"
#include "player/StretchSettings.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// The player wraps when the position, rounded to whole seconds, reaches sldEnd.
constexpr double wrapBeforeEnd = 0.5;

QString viewText(SoundView view)
{
    switch (view) {
    case SoundView::BothChannels:
        return QStringLiteral("both channels");
    case SoundView::LeftOnly:
        return QStringLiteral("left only");
    case SoundView::RightOnly:
        return QStringLiteral("right only");
    case SoundView::Mono:
        return QStringLiteral("mono");
    case SoundView::WithoutCentre:
        return QStringLiteral("without the centre");
    case SoundView::BassOnly:
        return QStringLiteral("bass only");
    case SoundView::WithoutBass:
        return QStringLiteral("without the bass");
    }
    return {};
}

QString extensionOf(SoundFileFormat format)
{
    switch (format) {
    case SoundFileFormat::Wav:
        return QStringLiteral("wav");
    case SoundFileFormat::Flac:
        return QStringLiteral("flac");
    case SoundFileFormat::Mp3:
        return QStringLiteral("mp3");
    }
    return {};
}

} // namespace

std::optional<std::pair<double, double>> SoundExport::loopOf(int sldBegin, int sldEnd, double duration)
{
    const double from = sldBegin, to = std::min(sldEnd - wrapBeforeEnd, duration);
    if (from >= to)
        return std::nullopt;
    return std::pair{from, to};
}

QString SoundExport::suggestedName(const QString& moviePath, const QString& tempoLabel,
                                   SoundFileFormat format)
{
    return QStringLiteral("%1 %2.%3")
        .arg(QFileInfo(moviePath).completeBaseName(), tempoLabel, extensionOf(format));
}

SoundRenderer::Plan SoundExport::renderPlan() const
{
    SoundRenderer::Plan plan;
    plan.moviePath = moviePath;
    const bool looped = exportsLoop();
    plan.from = looped ? loop->first : 0;
    plan.to = looped ? loop->second : duration;
    StretchSettings settings;
    settings.setPitch(heard.semitones);
    settings.setRate(heard.ratePercent / 100.0);
    plan.pitchScale = settings.pitchScale();
    plan.view = heard.view;
    plan.passSpeeds.clear();
    for (int pass = 1; pass <= (looped ? passes : 1); ++pass) {
        settings.setTempo(looped && raise ? raise->tempoOfPass(pass) - 100 : heard.tempo);
        plan.passSpeeds.push_back(settings.speed());
    }
    return plan;
}

QString SoundExport::heardText() const
{
    return soundText(QStringLiteral("tempo %1 %").arg(heard.tempo + 100));
}

QString SoundExport::soundText(const QString& tempo) const
{
    const bool whole = heard.semitones == std::round(heard.semitones);
    const QString pitch = whole ? QString::asprintf("%+d", static_cast<int>(heard.semitones))
                                : QString::asprintf("%+.2f", heard.semitones);
    return QStringLiteral("%1, pitch %2 semitones, rate %3 %, sound view: %4")
        .arg(tempo, pitch)
        .arg(heard.ratePercent)
        .arg(viewText(heard.view));
}

QString SoundExport::comment() const
{
    if (!exportsLoop())
        return QStringLiteral("%1, the whole movie: %2").arg(QFileInfo(moviePath).fileName(), heardText());
    const QString span =
        QStringLiteral("%1, the loop %2 to %3, %4 %5")
            .arg(QFileInfo(moviePath).fileName(), TimeText(loop->first), TimeText(loop->second))
            .arg(passes)
            .arg(passes == 1 ? QStringLiteral("pass") : QStringLiteral("passes"));
    if (!raise)
        return QStringLiteral("%1: %2").arg(span, heardText());
    return QStringLiteral("%1: %2").arg(
        span, soundText(QStringLiteral("tempo from %1 % up by %2 % every %3 passes to %4 %")
                            .arg(raise->startPercent)
                            .arg(raise->stepPercent)
                            .arg(raise->everyPasses)
                            .arg(raise->upToPercent)));
}

QString SoundExport::title() const
{
    return QFileInfo(moviePath).completeBaseName();
}
