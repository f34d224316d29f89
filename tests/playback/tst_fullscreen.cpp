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
        const QString off = "FullScreen(false)";
        QTest::newRow("toolbar") << QStringList{"tlbCmdResize"} << QStringList{on};
        QTest::newRow("double click") << QStringList{"double click"} << QStringList{on};
        QTest::newRow("toolbar twice") << QStringList{"tlbCmdResize", "tlbCmdResize"} << QStringList{on, on};
        QTest::newRow("double click twice")
            << QStringList{"double click", "double click"} << QStringList{on, on};
        QTest::newRow("window view while windowed") << QStringList{"tlbCmdWindowed"} << QStringList{off};
        QTest::newRow("there and back")
            << QStringList{"double click", "tlbCmdWindowed", "tlbCmdWindowed"} << QStringList{on, off, off};
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
