#include "common/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void absentKeyGivesFallback()
    {
        QTemporaryDir dir;
        const SettingsStore store(dir.filePath("reelquill.ini"));
        QCOMPARE(store.text("SnapshotFormat", "1"), QString("1"));
    }

    void writtenTextSurvivesAReopenInTheOptionsSection()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("reelquill.ini");
        SettingsStore(file).setText("SnapshotFolder", "/home/me/shots/");
        QCOMPARE(SettingsStore(file).text("SnapshotFolder", "x"), QString("/home/me/shots/"));
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Options/SnapshotFolder").toString(),
                 QString("/home/me/shots/"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
