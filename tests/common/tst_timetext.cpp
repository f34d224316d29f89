#include "common/Rounding.h"
#include "common/TimeText.h"

#include <QTest>

class TimeTextTest : public QObject
{
    Q_OBJECT

private slots:
    void timeText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0:00:00:00";
        QTest::newRow("fractions truncate") << 75.25 << "0:01:15:25";
        QTest::newRow("never rounds up into the next second") << 59.996 << "0:00:59:99";
        QTest::newRow("hours unpadded") << 3725.5 << "1:02:05:50";
        QTest::newRow("ten hours") << 36000.0 << "10:00:00:00";
        QTest::newRow("19.4 is 19.39999... in binary") << 19.4 << "0:00:19:40";
        QTest::newRow("0.29 is 0.28999... in binary") << 0.29 << "0:00:00:29";
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
        QTest::newRow("fine pitch 125/50") << 2.5 << 2;
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
};

QTEST_GUILESS_MAIN(TimeTextTest)
#include "tst_timetext.moc"
