#include "fakes/FakeMoviePlayer.h"
#include "playback/FullScreenCommands.h"

#include <QTest>

// Every request goes to the player as it comes: no toggling, no record of the view.
class FullScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void requests_data()
    {
        QTest::addColumn<QStringList>("routes");
        QTest::addColumn<QStringList>("calls");
        const QString on = "FullScreen(true)";
        QTest::newRow("toolbar") << QStringList{"tlbCmdResize"} << QStringList{on};
        QTest::newRow("double click") << QStringList{"double click"} << QStringList{on};
        QTest::newRow("twice, twice asked")
            << QStringList{"tlbCmdResize", "double click"} << QStringList{on, on};
        QTest::newRow("window view, even when windowed")
            << QStringList{"tlbCmdWindowed", "tlbCmdWindowed"}
            << QStringList{"FullScreen(false)", "FullScreen(false)"};
    }
    void requests()
    {
        QFETCH(QStringList, routes);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        FullScreenCommands commands(player);
        for (const QString& route : routes) {
            if (route == "double click")
                player.doubleClick();
            else
                QVERIFY(QMetaObject::invokeMethod(&commands, qPrintable(route)));
        }
        QCOMPARE(player.calls, calls);
    }
};

QTEST_GUILESS_MAIN(FullScreenTest)
#include "tst_fullscreen.moc"
