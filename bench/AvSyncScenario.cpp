#include "AvSyncScenario.h"

#include "AvSyncPhases.h"
#include "MonotonicClock.h"
#include "ProgramLoop.h"
#include "WorkerSteps.h"

#include "player/MpvMoviePlayer.h"

#include <QVBoxLayout>
#include <QWidget>

#include <memory>

int playAvSyncPhase(const QString& movie, qint16 tempo, const QString& phaseKey)
{
    const AvSyncPhase* phase = avSyncPhase(phaseKey);
    if (phase == nullptr)
        return 2;
    MpvMoviePlayer player; // the picture in its widget, the sound to the system's output
    QWidget window;
    window.setStyleSheet("background: black");
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(player.videoWidget());
    window.setGeometry(avSyncWindow);
    window.show();

    player.SetTempo(tempo);
    player.setFileName(movie);
    if (player.Duration() <= 0)
        return 1;
    std::unique_ptr<ProgramLoop> loop;
    double last = phase->startAt;
    if (phase->loopEnd > 0) {
        loop = std::make_unique<ProgramLoop>(player, phase->loopBegin, phase->loopEnd);
        // Connected after the position tracker, so this sees each report after it has wrapped.
        QObject::connect(&player, &MoviePlayer::PositionChange, [&last](double position) {
            if (position < last - 1)
                report("event", monotonicMs());
            last = position;
        });
    }
    // Time for the window to show and the first frame to be drawn.
    runFor(1000);
    report("event", monotonicMs());
    player.Seek(phase->startAt);
    player.Play();
    report("start", monotonicMs());
    runFor(phase->playMs);
    for (const double target : phase->seeks) {
        report("event", monotonicMs());
        player.Seek(target);
        runFor(phase->playMs);
    }
    return 0;
}
