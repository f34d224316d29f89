#include "WorkerSteps.h"

#include "player/MoviePlayer.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdio>

void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

void report(const char* key)
{
    std::printf("%s\n", key);
    std::fflush(stdout);
}

bool waitForReport(MoviePlayer& player, const std::function<bool(double)>& accept, int timeoutMs)
{
    QEventLoop loop;
    bool accepted = false;
    const auto connection =
        QObject::connect(&player, &MoviePlayer::PositionChange, &loop, [&](double position) {
            if (!accepted && accept(position)) {
                accepted = true;
                loop.quit();
            }
        });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return accepted;
}

void runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
