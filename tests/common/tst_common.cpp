#include "common/FileFilter.h"
#include "common/Rounding.h"
#include "common/TimeText.h"

#include <QTest>

// The shared helpers: times as the window shows them ("h:mm:ss:hundredths"), the rounding of
// times and steps, and the dialogs' filters ("description|patterns|...") in Qt's form.
class CommonTest : public QObject
{
    Q_OBJECT

private slots:
    void timeText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("fractions truncate") << 75.25 << "0:01:15:25";
        QTest::newRow("never rounds up into the next second") << 59.996 << "0:00:59:99";
        QTest::newRow("hours unpadded") << 3725.5 << "1:02:05:50";
        QTest::newRow("19.4 is 19.39999... in binary") << 19.4 << "0:00:19:40";
        QTest::newRow("negative is shown as zero") << -1.5 << "0:00:00:00";
        QTest::newRow("not a number is shown as zero") << std::nan("") << "0:00:00:00";
    }
    void timeText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText(seconds), text);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("125.5 to even above") << 125.5 << 126;
        QTest::newRow("124.5 to even below") << 124.5 << 124;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("huge clamps") << 1e300 << std::numeric_limits<int>::max();
        QTest::newRow("nan is zero") << std::nan("") << 0;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(::roundHalfEven(value), rounded);
    }

    void fileFilter_data()
    {
        QTest::addColumn<QString>("pipeSeparated");
        QTest::addColumn<QString>("qtFilter");
        // clang-format off
        QTest::newRow("movies: patterns added to the description; All Files also lists names without a dot")
            << "All Supported Files |*.mpg;*.mpeg;*.wmv;*.avi;*.mov;*.mp4;*.3gp;*.flv;*.vob|DVD video files "
               "(*.vob)|*.vob|FLV (*.flv)|*.flv|mpg (*.mpg)|*.mpg|All Files (*.*)|*.*"
            << "All Supported Files (*.mpg *.mpeg *.wmv *.avi *.mov *.mp4 *.3gp *.flv *.vob);;"
               "DVD video files (*.vob);;FLV (*.flv);;mpg (*.mpg);;All Files (*)";
        QTest::newRow("excerpts: the blank before the bar goes")
            << "Reelquill excerpt files (*.rqx) |*.rqx" << "Reelquill excerpt files (*.rqx)";
        QTest::newRow("no filter") << "" << "";
        // clang-format on
    }
    void fileFilter()
    {
        QFETCH(QString, pipeSeparated);
        QFETCH(QString, qtFilter);
        QCOMPARE(qtFileDialogFilter(pipeSeparated), qtFilter);
    }
};

QTEST_APPLESS_MAIN(CommonTest)
#include "tst_common.moc"
