#include "app/PictureButton.h"
#include "app/frmMain.h"
#include "common/QtDesktop.h"
#include "common/SettingsStore.h"
#include "player/MpvMoviePlayer.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    MpvMoviePlayer::prepareApplication();
    QApplication application(argc, argv);
    // The desktop matches the window to its launcher entry by this name, and shows our icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("reelquill"));
    QApplication::setWindowIcon(buttonIcon("reelquill"));
    // libmpv reads and writes numbers with the C library and refuses to start in a locale that
    // writes a decimal comma.
    std::setlocale(LC_NUMERIC, "C");

    MpvMoviePlayer player;
    QtDesktop desktop;
    SettingsStore settings;
    frmMain window(player, desktop, settings, player.videoWidget());
    // The command-line movie opens and starts playing before the window first shows; the player
    // switches its picture on as soon as the picture area can draw.
    window.startUp(QApplication::arguments());
    window.show();
    return QApplication::exec();
}
