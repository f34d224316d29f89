#include "SoakRun.h"
#include "app/frmMain.h"
#include "common/QtDesktop.h"
#include "common/SettingsStore.h"
#include "player/MpvMoviePlayer.h"

#include <QApplication>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

// reelquill-soak MOVIE [MINUTES]: the program's main window and real player on MOVIE, worked by a
// SoakRun for MINUTES (30 unless given). Exits 0 when the run passed and the program shut down.
int main(int argc, char* argv[])
{
    MpvMoviePlayer::prepareApplication();
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: reelquill-soak MOVIE [MINUTES]\n");
        return 2;
    }
    const double minutes = arguments.size() > 2 ? arguments[2].toDouble() : 30.0;

    // The sound is played in real time into nothing: the machine running this may have no sound.
    MpvMoviePlayer player({MpvPlayerOptions::Video::Widget, MpvPlayerOptions::Audio::None, {}});
    QtDesktop desktop;
    QTemporaryDir settingsFolder;
    SettingsStore settings(settingsFolder.filePath("reelquill-soak.ini"));
    frmMain window(player, desktop, settings, player.videoWidget());
    window.startUp({arguments[0], arguments[1]});
    if (player.Duration() <= 0) {
        std::fprintf(stderr, "soak: the movie did not open\n");
        return 2;
    }
    window.show();

    SoakRun run(window, player, minutes);
    run.start();
    const int exitCode = QApplication::exec();
    std::printf("soak: the program ended with code %d\n", exitCode);
    return exitCode != 0 ? exitCode : run.verdict();
}
