#include "common/SettingsStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFileName.h"
#include "snapshot/SnapshotSettings.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A recording player whose frame is a plain 320 by 240 picture, written as a real file.
struct PictureWritingPlayer : FakeMoviePlayer
{
    QImage frame{320, 240, QImage::Format_RGB32};
    PictureWritingPlayer() { frame.fill(Qt::darkCyan); }
    bool SaveBitmap(const QString& to) override { return FakeMoviePlayer::SaveBitmap(to) && frame.save(to); }
    bool SaveSnapshot(const QString& to, qint16 code) override
    {
        return FakeMoviePlayer::SaveSnapshot(to, code) && frame.save(to);
    }
};

// Snapshots in png into a folder not made yet, a settings file of their own and a desktop that
// answers the dialogs.
struct SnapshotRig
{
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("reelquill.ini")};
    SnapshotSettings values{dir.filePath("not yet/made/"), 2, {}};
    PictureWritingPlayer player;
    FakeDesktop desktop;
    QWidget mainWindow;
    SnapshotCommands commands{player, values, settings, desktop, &mainWindow, dir.filePath("preview.bmp")};
    QStringList taken;

    // The first visible one of the main window's windows and their controls.
    template <typename Widget = QWidget> Widget* shown(const QString& name) const
    {
        for (Widget* widget : mainWindow.findChildren<Widget*>(name)) {
            if (widget->isVisible())
                return widget;
        }
        return nullptr;
    }

    // Steps: "snapshot" (the first of a 320 by 240 frame, later ones of 100 by 50), "options", or a
    // button of an open window by name, "=" the answer of the dialog it opens (empty: cancelled).
    void run(const QString& steps)
    {
        for (const QString& step : steps.split(' ')) {
            if (step == "snapshot") {
                commands.Snapshot();
                taken << values.SnapshotFile;
                player.frame = player.frame.scaled(100, 50);
            } else if (step == "options") {
                commands.SnapshotFolder();
            } else {
                const QString answer = step.section('=', 1);
                if (step.startsWith("cmdSaveAs="))
                    desktop.fileAnswers << dir.filePath(answer);
                else if (step.contains('='))
                    desktop.folderAnswers << answer;
                QAbstractButton* button = shown<QAbstractButton>(step.section('=', 0, 0));
                QVERIFY2(button, qPrintable(step));
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    }
};

} // namespace

class SnapshotTest : public QObject
{
    Q_OBJECT

    // Rows named by their steps: what the user does, and what the user sees.
    static void columns()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("sees");
    }
    static void row(const char* steps, const char* sees) { QTest::newRow(steps) << steps << sees; }

private slots:
    // The name of a jpg snapshot taken at a time in a language, after as many in the same second.
    void fileName_data()
    {
        columns();
        row("2026-12-04T08:05:03 en_US 0", "Snapshot Dec-04-2026 08-05-03.jpg");
        row("2026-12-04T08:05:03 en_US 1", "Snapshot Dec-04-2026 08-05-03 (2).jpg");
        row("2026-12-04T08:05:03 en_US 2", "Snapshot Dec-04-2026 08-05-03 (3).jpg");
        row("2026-10-04T20:15:33 sv_SE 0", "Snapshot okt.-04-2026 20-15-33.jpg");
    }
    void fileName()
    {
        QFETCH(QString, steps);
        QFETCH(QString, sees);
        QTemporaryDir dir;
        const auto make = [&] {
            return SnapshotFileName::make(dir.path() + "/", 1,
                                          QDateTime::fromString(steps.section(' ', 0, 0), Qt::ISODate),
                                          QLocale(steps.section(' ', 1, 1)));
        };
        for (int shot = 0; shot < steps.section(' ', 2).toInt(); ++shot)
            QVERIFY(QFile(make()).open(QIODevice::WriteOnly));
        QCOMPARE(make(), dir.path() + "/" + sees);
    }

    // Sees whether each snapshot is kept under its name, moved by Save As or gone, and the picture
    // of the preview: a second snapshot leaves an open one as it was. With no movie open nothing is
    // written and no folder made; with no frame to grab no preview opens.
    void snapshotAndPreview_data()
    {
        columns();
        row("nomovie snapshot", "gone");
        row("noframe snapshot", "gone");
        row("snapshot cmdSave", "kept");
        row("snapshot cmdDiscard", "gone");
        row("snapshot cmdSaveAs=preview.bmp", "kept 320x240");
        row("snapshot cmdSaveAs=fingering cmdDiscard", "moved");
        row("snapshot snapshot", "kept kept 320x240");
        row("snapshot snapshot cmdDiscard", "kept gone");
        row("snapshot cmdSave snapshot", "kept kept 100x50");
    }
    void snapshotAndPreview()
    {
        QFETCH(QString, steps);
        QFETCH(QString, sees);
        SnapshotRig rig;
        rig.player.duration = steps.startsWith("nomovie") ? 0 : 60;
        rig.player.snapshotsSucceed = !steps.startsWith("no");
        rig.run(steps.section(' ', steps.startsWith("no") ? 1 : 0));
        QStringList seen;
        const bool moved = QFile::exists(rig.dir.filePath("fingering"));
        for (const QString& file : rig.taken)
            seen << (QFile::exists(file) ? "kept" : moved ? "moved" : "gone");
        if (const QLabel* preview = rig.shown<QLabel>("pctPreview"))
            seen << QString("%1x%2").arg(preview->pixmap().width()).arg(preview->pixmap().height());
        QCOMPARE(seen.join(' '), sees);
        QCOMPARE(rig.player.calls.mid(0, 2),
                 QStringList({"SaveSnapshot(" + rig.taken.first() + ",2)",
                              "SaveBitmap(" + rig.dir.filePath("preview.bmp") + ")"}));
        QVERIFY(rig.taken.first().startsWith(rig.dir.filePath("not yet/made/Snapshot ")));
        QCOMPARE(QDir(rig.values.SnapshotFolder).exists(), !steps.startsWith("nomovie"));
        QVERIFY(rig.desktop.messages.isEmpty());
    }

    // Sees the folder and format in use, then as stored: a format holds at once but only Done
    // stores it; Change stores the folder at once.
    void options_data()
    {
        columns();
        row("optImageFormat_2 cmdDone", "/docs/ 2 | - 2");
        row("optImageFormat_2", "/docs/ 2 | - -");
        row("cmdBrowseGrabOutput=/srv/shots", "/srv/shots/ 1 | /srv/shots/ -");
        row("cmdBrowseGrabOutput=", "/docs/ 1 | - -");
        row("cmdBrowseGrabOutput=/ optImageFormat_4 cmdDone", "/ 4 | / 4");
    }
    void options()
    {
        QFETCH(QString, steps);
        QFETCH(QString, sees);
        SnapshotRig rig;
        rig.values = {"/docs/", 1, {}};
        rig.run("options " + steps);
        if (QWidget* window = rig.shown("frmOptions"))
            window->close();
        const SettingsStore stored(rig.dir.filePath("reelquill.ini"));
        QCOMPARE(QStringList({rig.values.SnapshotFolder, QString::number(rig.values.SnapshotFormat), "|",
                              stored.text("SnapshotFolder", "-"), stored.text("SnapshotFormat", "-")})
                     .join(' '),
                 sees);
    }
};

QTEST_MAIN(SnapshotTest)
#include "tst_snapshot.moc"
