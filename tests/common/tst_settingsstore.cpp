#include "common/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void absentKeyGivesTheFallbackAndWrittenTextSurvivesAReopen()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("reelquill.ini");
        QCOMPARE(SettingsStore(file).text("SnapshotFolder", "x"), QString("x"));
        SettingsStore(file).setText("SnapshotFolder", "/home/me/shots/");
        QCOMPARE(SettingsStore(file).text("SnapshotFolder", "x"), QString("/home/me/shots/"));
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Options/SnapshotFolder").toString(),
                 QString("/home/me/shots/"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
