#include "app/frmMain.h"
#include "common/QtDesktop.h"
#include "common/SettingsStore.h"
#include "player/MpvMoviePlayer.h"

#include <QApplication>
#include <QOpenGLWidget>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // libmpv reads and writes numbers with the C library and refuses to start in a locale that
    // writes a decimal comma.
    std::setlocale(LC_NUMERIC, "C");

    MpvMoviePlayer player;
    QtDesktop desktop;
    SettingsStore settings;
    QWidget* picture = player.videoWidget();
    frmMain window(player, desktop, settings, picture);
    const QStringList arguments = QApplication::arguments();
    window.show();
    // The player draws with OpenGL, which is there only once the picture area has been on
    // screen; a movie opened before that does not play. So start-up waits for the first frame.
    if (auto* glPicture = qobject_cast<QOpenGLWidget*>(picture))
        QObject::connect(
            glPicture, &QOpenGLWidget::frameSwapped, &window,
            [&window, arguments] { window.startUp(arguments); }, Qt::SingleShotConnection);
    else
        window.startUp(arguments);
    return QApplication::exec();
}
