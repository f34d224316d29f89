#include "BenchFigures.h"

#include <QJsonObject>
#include <QTest>

// The benchmark's windowed figures, as the JSON and the table give them to whoever compares runs.
class BenchFiguresTest : public QObject
{
    Q_OBJECT

private slots:
    void windowedFigures_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("jsonKey");
        QTest::addColumn<QString>("tableRow");
        QTest::newRow("360p") << "360p"
                              << "windowed_cpu_per_s"
                              << "CPU s per s, windowed, 360p              0.350       0.225        1.56";
        QTest::newRow("1080p") << "1080p"
                               << "windowed_cpu_per_s_1080p"
                               << "CPU s per s, windowed, 1080p             0.350       0.225        1.56";
    }
    void windowedFigures()
    {
        QFETCH(QString, clip);
        QFETCH(QString, jsonKey);
        QFETCH(QString, tableRow);
        BenchFigures figures;
        figures.windowedCpuPerSecond[clip] = {0.35, 0.225};

        const QJsonObject json = figures.toJson();
        QCOMPARE(json.value(jsonKey).toObject().value("ours").toDouble(), 0.35);
        QCOMPARE(json.value(jsonKey).toObject().value("mpv").toDouble(), 0.225);
        QVERIFY(figures.toTable().split('\n').contains(tableRow));
    }

    void unmeasuredWindowedFiguresAreNull()
    {
        const QJsonObject json = BenchFigures().toJson();
        for (const char* key : {"windowed_cpu_per_s", "windowed_cpu_per_s_1080p"}) {
            QVERIFY2(json.value(key).toObject().value("ours").isNull(), key);
            QVERIFY2(json.value(key).toObject().value("mpv").isNull(), key);
        }
    }
};

QTEST_GUILESS_MAIN(BenchFiguresTest)
#include "tst_benchfigures.moc"
