#include "app/CommandLine.h"
#include "app/GraphicalDisplay.h"
#include "app/frmMain.h"
#include "common/QtDesktop.h"
#include "common/SettingsStore.h"
#include "player/MpvMoviePlayer.h"
#include "widgets/PictureButton.h"

#include <QApplication>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[])
{
    // The help, the version and mistakes on the command line are answered before the window
    // system is reached, so they need no display.
    CommandLineRequest request;
    {
        const QCoreApplication commandLine(argc, argv);
        request = readCommandLine(QCoreApplication::arguments());
    }
    if (request.exitCode) {
        std::fputs(qPrintable(request.answer), *request.exitCode == 0 ? stdout : stderr);
        return *request.exitCode;
    }
    if (const QString missing = missingGraphicalDisplay(); !missing.isEmpty()) {
        std::fprintf(stderr, "reelquill: %s\n", qPrintable(missing));
        return 1;
    }

    MpvMoviePlayer::prepareApplication();
    // Qt's own options are not the program's: the window system sees the program's name alone.
    int windowSystemArgc = 1;
    std::optional<PlatformStartGuard> guard(std::in_place);
    QApplication application(windowSystemArgc, argv);
    guard.reset();
    // The desktop matches the window to its launcher entry by this name, and shows our icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("reelquill"));
    QApplication::setWindowIcon(buttonIcon("reelquill"));

    MpvMoviePlayer player;
    QtDesktop desktop;
    SettingsStore settings;
    frmMain window(player, desktop, settings, player.videoWidget());
    // The command-line movie opens and starts playing before the window first shows; the player
    // switches its picture on as soon as the picture area can draw.
    window.startUp(request.startArguments);
    window.show();
    return QApplication::exec();
}
