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

    // The cold start, beside start-up, and the prototype's loop gaps, beside the player's.
    void coldStartAndPrototypeFigures()
    {
        BenchFigures figures;
        figures.coldStartMs = {612.5, 480.0};
        figures.loopGapPrototypeMs["tempo_m30"] = 0.0;
        figures.loopGapsPrototype["tempo_m30"] = {};

        const QJsonObject json = figures.toJson();
        QCOMPARE(json.value("cold_start_ms").toObject().value("ours").toDouble(), 612.5);
        QCOMPARE(json.value("cold_start_ms").toObject().value("mpv").toDouble(), 480.0);
        QCOMPARE(json.value("loop_gap_ms_prototype").toObject().value("tempo_m30"), QJsonValue(0.0));
        QVERIFY(json.value("loop_gaps_per_wrap_ms").toObject().value("prototype").toObject().contains("tempo_m30"));
        const QStringList table = figures.toTable().split('\n');
        QVERIFY(table.contains("cold start to first frame (ms)           612.5       480.0        1.28"));
        QVERIFY(table.contains("prototype loop gap, tempo_m30 (ms)         0.0"));
        QVERIFY(table.contains("  prototype gaps, tempo_m30 (ms): none"));
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
